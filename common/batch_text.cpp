#include "common/batch_text.h"

#include "common/text.h"

bool BatchPauseWanted(bool allowPause, bool demandPause, bool addBatchPause) {
    return (allowPause && addBatchPause) || demandPause;
}

std::vector<std::string> ComposeBatchLines(const BatchContext& context, std::string_view command, bool pause) {
    std::vector<std::string> lines;
    lines.push_back("@echo off");
    if (context.forceDosCodepage) lines.push_back("chcp " + context.oemCodepage);
    if (context.setGnuPGHome) lines.push_back("set GNUPGHOME=" + BatchLiteral(context.gnuPGHome));
    if (!context.gnuPGLanguage.empty()) lines.push_back("set LANGUAGE=" + BatchLiteral(context.gnuPGLanguage));
    lines.push_back("set PATH=" + BatchLiteral(context.programDirShort) + ";%PATH%");
    for (auto& line : SplitLines(command)) lines.push_back(std::move(line));
    if (pause) {
        lines.push_back("echo.");
        lines.push_back("pause");
    }
    lines.push_back("cls");
    return lines;
}

std::string JoinBatchLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

size_t LongestBatchLine(std::string_view batchText) {
    size_t longest = 0;
    for (const auto& line : SplitLines(batchText)) longest = std::max(longest, line.size());
    return longest;
}

std::string BatchQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '%': out += "%%"; break;
            case '"': out += '\''; break;
            case '\r':
            case '\n': out += ' '; break;
            default: out += c;
        }
    }
    out += '"';
    return out;
}

std::string BatchLiteral(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '%': out += "%%"; break;
            case '^':
            case '&':
            case '|':
            case '<':
            case '>':
            case '(':
            case ')':
            case '"':
                out += '^';
                out += c;
                break;
            case '\r':
            case '\n': out += ' '; break;
            default: out += c;
        }
    }
    return out;
}

std::string QuotedTempFile(std::string_view tempDir, std::string_view name) {
    std::string path(tempDir);
    path += '\\';
    path += name;
    return BatchQuoted(path);
}

std::string InterpreterCommandLine(std::string_view comSpecPath, std::string_view batchPath) {
    std::string interpreter(comSpecPath);
    bool isCmd = EndsWith(ToLower(interpreter), "cmd.exe");
    if (interpreter.find(' ') != std::string::npos) interpreter = "\"" + interpreter + "\"";
    std::string line = interpreter;
    if (isCmd) line += " /d /v:off";
    line += " /c \"";
    line += batchPath;
    line += "\"";
    return line;
}
