// Joining two quadruple files into a prepared base. No run calls it.
#pragma once

// miaou(): prepares a base by joining two quadruple files on their first
// three fields, in the current directory.
//
// Every line of "metier19.txt" (a request a b c d) is looked up from the top
// of "basemiaou.txt" (the candidates); at the first candidate a b c d' the
// record "\n%d %d %d %d" (a, b, c, d') is written to "xxxbasemiaousortie.txt".
// A request without a match writes nothing, so the output begins with an
// empty line, holds one record per matched request in request order and has
// no newline after its last record.
//
// Lines are read whole and must begin with four integers (as "%d %d %d %d");
// any other line of either file is skipped. When an input cannot be opened a
// message names it and nothing is written: the output is created only after
// both inputs opened. The inputs are only read.
void miaou();
