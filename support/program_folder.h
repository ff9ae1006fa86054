#pragma once

#include <string>

// The program folder: where the program file, its settings, scripts and study log lie.
namespace modFunc {

// The folder of the running program, without a trailing separator (except at a root).
std::string ProgramFolder();
// Makes ProgramFolder() give `folder` instead; an empty text restores the real one. For tests,
// which run the windows on a throwaway program folder.
void OverrideProgramFolder(const std::string& folder);

}  // namespace modFunc
