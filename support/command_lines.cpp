#include "support/command_lines.h"

#include "support/modConst.h"

namespace commandLine {
namespace {

// A double quote inside a piece would regroup the arguments when the line is split, so it is
// written as \" (with the backslashes before it doubled), which the splitting rules turn back
// into the quote. Windows paths never hold a quote, so there this changes nothing.
std::string EscapeQuotes(const std::string& piece) {
    std::string out;
    out.reserve(piece.size());
    std::size_t backslashes = 0;
    for (char c : piece) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') out.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        out += c;
    }
    return out;
}

// The one quoted piece of any command line. Backslashes at its end are doubled so that they do
// not turn the closing quote into a literal one.
std::string Quoted(const std::string& piece) {
    std::string out = "\"";
    out += EscapeQuotes(piece);
    const std::size_t lastOther = piece.find_last_not_of('\\');
    const std::size_t trailing =
        lastOther == std::string::npos ? piece.size() : piece.size() - lastOther - 1;
    out.append(trailing, '\\');
    out += '"';
    return out;
}

std::string ScriptLine(const std::string& uwscPath, const std::string& programFolder,
                       std::string_view scriptName) {
    std::string line = uwscPath;
    line += ' ';
    line += EscapeQuotes(programFolder);
    line += modConst::kSep;
    line += scriptName;
    return line;
}

}  // namespace

std::string ProgramAlone(const std::string& programPath) { return programPath; }

std::string Editor(const std::string& editorPath, const std::string& filePath) {
    return editorPath + ' ' + Quoted(filePath);
}

std::string SaveKifScript(const std::string& uwscPath, const std::string& programFolder,
                          const std::string& recordPathWithoutExtension) {
    return ScriptLine(uwscPath, programFolder, modConst::kScriptSaveKif) + ' ' +
           EscapeQuotes(recordPathWithoutExtension);
}

std::string OpenStartScript(const std::string& uwscPath, const std::string& programFolder,
                            const std::string& problemPath) {
    return ScriptLine(uwscPath, programFolder, modConst::kScriptOpenStart) + ' ' +
           EscapeQuotes(problemPath);
}

std::string EditTxtScript(const std::string& uwscPath, const std::string& programFolder,
                          const std::string& editorPath, const std::string& companionPath) {
    return ScriptLine(uwscPath, programFolder, modConst::kScriptEditTxt) + ' ' +
           EscapeQuotes(EncodeSpaces(editorPath)) + ' ' + EscapeQuotes(companionPath);
}

std::string EncodeSpaces(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == ' ') {
            out += modConst::kSpaceCode;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace commandLine
