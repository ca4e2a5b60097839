// The demonstration stand-in for the outside computation, installed as
// wtarvo.bat and tarvo.exe. Not the real computation: see standin.h.
#include <iostream>

#include "common/pathtext.h"
#include "frontend/standin/standin.h"
#include "platform/cmdtail.h"

int main(int argc, char** argv) {
  std::string program = argc > 0 ? wt::FileNameOf(argv[0]) : "wtarvo.bat";
  std::vector<std::string> words = wt::SplitCommandLine(wt::CommandTail(argc, argv), 2);
  return wt::standin::RunStandin(program, words, std::cout, std::cerr);
}
