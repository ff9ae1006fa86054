// Runs settings-file cases through this system's profile implementation and writes down what
// every step gave, one file per case, so that the two implementations can be compared: ours on
// POSIX and the system's own profile functions on Windows (Wine's, when run there).
//
//   profile_probe CASES WORK OUT
//
// A case is CASES/NAME.case, with CASES/NAME.ini as the file it starts from (no such file: the
// case starts without one). Each line of a case is a step, its fields separated by tabs:
//
//   read    SECTION  KEY  DEFAULT
//   write   SECTION  KEY  VALUE
//
// Fields take the escapes \t \r \n \\ \s (a space) and \xNN. Empty lines and lines starting
// with "#" are passed over. OUT/NAME.txt receives each step and its answer, then the file's
// bytes as the case left them.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/profile.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescape(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const char code = field[++i];
        if (code == 't') {
            text += '\t';
        } else if (code == 'r') {
            text += '\r';
        } else if (code == 'n') {
            text += '\n';
        } else if (code == 's') {
            text += ' ';
        } else if (code == 'x' && i + 2 < field.size() && HexDigit(field[i + 1]) >= 0 &&
                   HexDigit(field[i + 2]) >= 0) {
            text += static_cast<char>(HexDigit(field[i + 1]) * 16 + HexDigit(field[i + 2]));
            i += 2;
        } else {
            text += code;
        }
    }
    return text;
}

// Every byte visible: printable ASCII as it is, the rest escaped; a line break also ends the
// written line, so files read line by line.
std::string Visible(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n\n";
        } else if (c == '\t') {
            text += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool RunCase(const fs::path& caseFile, const fs::path& work, const fs::path& out) {
    const std::string name = caseFile.stem().string();
    const fs::path ini = work / (name + ".ini");
    fs::remove(ini);
    const fs::path start = caseFile.parent_path() / (name + ".ini");
    if (fs::exists(start)) fs::copy_file(start, ini);
    const std::string file = ini.string();

    std::ostringstream log;
    std::istringstream steps(ReadAll(caseFile));
    std::string line;
    while (std::getline(steps, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() != 4) {
            std::cerr << caseFile.string() << ": a step needs four fields: " << line << "\n";
            return false;
        }
        const std::string shown = "[" + Visible(fields[1]) + "] [" + Visible(fields[2]) + "] [" +
                                  Visible(fields[3]) + "]";
        if (fields[0] == "read") {
            const std::string value =
                platform::ReadProfileValue(fields[1], fields[2], fields[3], file);
            log << "read " << shown << " -> [" << Visible(value) << "]\n";
        } else if (fields[0] == "write") {
            const bool written = platform::WriteProfileValue(fields[1], fields[2], fields[3], file);
            log << "write " << shown << " -> " << (written ? "written" : "refused") << "\n";
        } else {
            std::cerr << caseFile.string() << ": unknown step: " << line << "\n";
            return false;
        }
    }
    log << "file " << (fs::exists(ini) ? "as left:\n" + Visible(ReadAll(ini)) : "missing") << "\n";
    std::ofstream(out / (name + ".txt"), std::ios::binary) << log.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: profile_probe CASES WORK OUT\n";
        return 2;
    }
    const fs::path cases = argv[1];
    const fs::path work = argv[2];
    const fs::path out = argv[3];
    fs::create_directories(work);
    fs::create_directories(out);
    bool ok = true;
    for (const fs::directory_entry& entry : fs::directory_iterator(cases)) {
        if (entry.path().extension() == ".case") ok = RunCase(entry.path(), work, out) && ok;
    }
    return ok ? 0 : 1;
}
