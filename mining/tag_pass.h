// The tag-set extension pass, first of the three mining passes.
//
// find_ts_v3() grows the tag sets of the loader's concepts in ens_tc (each
// holds one resource and one D value). Along each unbroken run of neighbouring
// concepts with the same resource and D value, a concept absorbs the tags of
// every neighbour whose users contain its own; a later neighbour with as many
// users is then erased. Incomparable neighbours sharing at least minsupp_u
// users give a new concept (common users, both tag sets) unless an earlier new
// concept covers it (test_inclusion). Only positions with at least `window`
// concepts after them are current: 50 when the base had 200 lines or more
// (ijk), 3 otherwise. Each new concept then absorbs the tags of every stored
// concept with its resource and D value whose users contain its own, stored
// concepts with as many users are erased, and the new concepts are appended.
// Positions to erase go through indices_ts and are erased at the start of the
// next iteration, so the result depends on the order of ens_tc.
#pragma once

void find_ts_v3();
