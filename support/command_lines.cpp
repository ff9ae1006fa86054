#include "support/command_lines.h"

#include "platform/process.h"
#include "support/modConst.h"
#include "support/modFunc.h"

namespace commandLine {
namespace {

// A double quote inside a piece would regroup the arguments where the line is split by the
// launcher; the platform writes it so that it is read back as it is.
std::string EscapeQuotes(const std::string& piece) { return platform::ProtectQuotes(piece); }

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
    return uwscPath + ' ' + modFunc::JoinPath(EscapeQuotes(programFolder), scriptName);
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

bool ArrivesWhole(const std::string& path) {
    if (path.empty() || path.find('\t') != std::string::npos) return false;
    return path.front() != ' ' && path.back() != ' ' && path.find("  ") == std::string::npos;
}

bool EditorArrivesWhole(const std::string& editorPath) {
    return editorPath.find('\t') == std::string::npos &&
           editorPath.find(modConst::kSpaceCode) == std::string::npos;
}

}  // namespace commandLine
