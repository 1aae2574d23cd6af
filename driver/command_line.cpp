#include "driver/command_line.h"

#include <cstdio>
#include <utility>

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

bool check_input(char** argv, int argc) {
  quadmine::Result<quadmine::CommandLine> line = quadmine::read_command_line(argc, argv);
  if (!line.ok()) {
    std::printf("%s", line.message().c_str());
    errors_input_line();
    return false;
  }
  fp = line->base.release();
  minsupp_u = line->thresholds.u;
  minsupp_t = line->thresholds.t;
  minsupp_r = line->thresholds.r;
  minsupp_d = line->thresholds.d;
  return true;
}

namespace quadmine {

int convert_threshold(const char* text) { return TextScanner(text).saturated_number(); }

Result<CommandLine> read_command_line(int argc, char** argv) {
  if (argc != 6) {
    return Status::error("\n ERROR : Le nombre de parametres d'entrees doit etre egale \xE0 5.\n");
  }
  // The base is opened for reading only (never written), and must be readable.
  Result<FileHandle> base = open_for_reading(argv[1]);
  if (!base.ok()) return Status::error("\nERROR :  Base de transactions inexistante...\n");
  CommandLine line;
  line.base = std::move(base.value());
  struct Threshold {
    int* value;
    const char* message;
  };
  const Threshold thresholds[] = {
      {&line.thresholds.u, "\nERROR : Le seuil minsupp_u doit \xEAtre >= 1...\n"},
      {&line.thresholds.t, "\nERROR : Le seuil minsupp_t doit \xEAtre >= 1...\n"},
      {&line.thresholds.r, "\nERROR : Le seuil minsupp_r doit \xEAtre >= 1...\n"},
      {&line.thresholds.d, "\nERROR : Le seuil minsupp_d doit \xEAtre >= 1...\n"},
  };
  for (int k = 0; k < 4; ++k) {
    *thresholds[k].value = convert_threshold(argv[2 + k]);
    if (*thresholds[k].value <= 0) return Status::error(thresholds[k].message);
  }
  return line;
}

}  // namespace quadmine
