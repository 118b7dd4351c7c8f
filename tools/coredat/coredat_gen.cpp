// Writes the core database `coredat` to the file named by the argument, or to
// standard output without one.

#include <fstream>
#include <iostream>

#include "coredat/catalogue.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: coredat_gen [output file]\n";
    return 2;
  }
  const std::string text = tov::coredat::CatalogueText(tov::coredat::BuildCatalogue());
  if (argc == 1) {
    std::cout << text;
    return std::cout.flush() ? 0 : 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << text;
  out.close();
  if (!out) {
    std::cerr << "coredat_gen: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
