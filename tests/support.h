// Helpers shared by the tests: stores written as text, a scratch working
// directory, whole files, runs of the real program, and random pauses that
// race two threads.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

#include "reference/reference_passes.h"
#include "store/globals.h"
#include "threads/ahead_options.h"

using Ints = std::vector<int>;
using Store = std::vector<TriConcept>;

// Stores as text: concepts separated by commas, each "U|T|R|D" with the
// elements of a set separated by blanks, e.g. "1 2|10|5|7, 3|||".
inline Store store(const std::string& text) {
  Store s;
  std::istringstream concepts(text);
  for (std::string one; std::getline(concepts, one, ',');) {
    std::istringstream sets(one);
    TriConcept& c = s.emplace_back();
    for (Ints* set : {&c.us, &c.ts, &c.rs, &c.ds}) {
      std::string elements;
      std::getline(sets, elements, '|');
      std::istringstream in(elements);
      for (int x = 0; in >> x;) set->push_back(x);
    }
  }
  return s;
}

inline std::string text(const Store& s) {
  std::string out;
  for (const TriConcept& c : s) {
    out += out.empty() ? "" : ", ";
    for (const Ints* set : {&c.us, &c.ts, &c.rs, &c.ds}) {
      out += set == &c.us ? "" : "|";
      for (std::size_t k = 0; k < set->size(); ++k) {
        out += (k ? " " : "") + std::to_string((*set)[k]);
      }
    }
  }
  return out;
}

// A fresh temporary directory, the working directory while the object lives.
class ScratchDir {
 public:
  ScratchDir() : previous_(std::filesystem::current_path()) {
    std::string name = (std::filesystem::temp_directory_path() / "quadmine-XXXXXX").string();
    path_ = mkdtemp(name.data());
    std::filesystem::current_path(path_);
  }
  ~ScratchDir() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }

 private:
  std::filesystem::path previous_, path_;
};

inline std::string read_file(const std::string& name) {
  std::ostringstream content;
  content << std::ifstream(name, std::ios::binary).rdbuf();
  return content.str();
}

inline void write_file(const std::string& name, const std::string& content) {
  std::ofstream(name, std::ios::binary) << content;
}

// Runs the program with the shell words `args` in the current directory,
// after the shell commands `setup`: its exit status, and its standard output
// and standard error with the measured times masked.
inline std::pair<int, std::string> run_program(const std::string& args, const std::string& setup) {
  std::FILE* pipe = popen((setup + " exec " QUADMINE_BIN " " + args + " 2>&1").c_str(), "r");
  std::string out;
  for (int c; (c = std::fgetc(pipe)) != EOF;) out.push_back(static_cast<char>(c));
  const int status = pclose(pipe);
  const std::regex time("Time = [0-9]+\\.[0-9]{6}");
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, regex_replace(out, time, "Time = <t>")};
}

// What a shell command run in the current directory left: its exit status and
// its standard output and error, caught in files outside that directory.
struct Outcome {
  int status;
  std::string out, err;
};
inline Outcome run_shell(const std::string& command) {
  std::string out = "/tmp/quadmine-out-XXXXXX", err = "/tmp/quadmine-err-XXXXXX";
  close(mkstemp(out.data()));
  close(mkstemp(err.data()));
  const int status = std::system((command + " >" + out + " 2>" + err).c_str());
  Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(out), read_file(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return outcome;
}

// A pause for the handoff points of work ahead (AheadOptions::pause) that
// races the two threads: up to 3 microseconds at random, a yield, or none;
// each thread draws its own.
inline void random_pause(quadmine::Side) {
  thread_local std::minstd_rand random(
      static_cast<unsigned>(std::hash<std::thread::id>{}(std::this_thread::get_id())));
  const unsigned draw = random() % 8;
  if (draw < 3) return;
  if (draw == 3) return std::this_thread::yield();
  const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(draw - 4);
  while (std::chrono::steady_clock::now() < until) {
  }
}
