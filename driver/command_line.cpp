#include "driver/command_line.h"

#include <cstdio>

#include "store/globals.h"
#include "text/scanner.h"

// The messages are Latin-1: \xE0 is "a grave", \xEA is "e circumflex".

void errors_input_line() {
  std::printf("\n\n\n\n ****************Pour Compiler ce programme : *******************\n\n\n");
  std::printf("\n Fichier_entree.txt MinSupp_u MinSupp_t MinSupp_r\n");
  std::printf(
      "\n Minsupp_u, MinSupp_t et MinSupp_r sont absolus et doivent etre strictement "
      "superieurs a 0.");
  std::printf("\n Le programme donne le nombre de tri-concepts et le temps d'execution...\n");
  std::printf("\n\n ******************See you in another life************************\n\n\n\n");
}

int convert_threshold(const char* text) { return TextScanner(text).saturated_number(); }

namespace {

bool fail(const char* message) {
  std::printf("%s", message);
  errors_input_line();
  return false;
}

// Opens the base for reading only, and makes sure it can actually be read: a
// directory opens for reading on Linux but fails at the first read.
std::FILE* open_base(const char* path) {
  std::FILE* f = std::fopen(path, "r");
  if (f == nullptr) return nullptr;
  const int c = std::getc(f);
  if (c == EOF && std::ferror(f)) {
    std::fclose(f);
    return nullptr;
  }
  if (c != EOF) std::ungetc(c, f);
  return f;
}

}  // namespace

bool check_input(char** argv, int argc) {
  if (argc != 6) {
    return fail("\n ERROR : Le nombre de parametres d'entrees doit etre egale \xE0 5.\n");
  }
  fp = open_base(argv[1]);
  if (fp == nullptr) {
    return fail("\nERROR :  Base de transactions inexistante...\n");
  }
  struct Threshold {
    int* value;
    const char* message;
  };
  const Threshold thresholds[] = {
      {&minsupp_u, "\nERROR : Le seuil minsupp_u doit \xEAtre >= 1...\n"},
      {&minsupp_t, "\nERROR : Le seuil minsupp_t doit \xEAtre >= 1...\n"},
      {&minsupp_r, "\nERROR : Le seuil minsupp_r doit \xEAtre >= 1...\n"},
      {&minsupp_d, "\nERROR : Le seuil minsupp_d doit \xEAtre >= 1...\n"},
  };
  for (int k = 0; k < 4; ++k) {
    *thresholds[k].value = convert_threshold(argv[2 + k]);
    if (*thresholds[k].value <= 0) return fail(thresholds[k].message);
  }
  return true;
}
