#include "common/gnupg_output.h"

#include "common/batch_text.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/wildcard.h"

namespace {

constexpr std::string_view kMessagePrefix = "gpg: ";
constexpr std::string_view kStatusPrefix = "[GNUPG:] ";

bool IsCrLfAt(std::string_view text, size_t i) {
    return i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n';
}

std::string RemoveTrailingCrLfs(std::string_view text) {
    while (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf) text.remove_suffix(2);
    return std::string(text);
}

}  // namespace

std::string NormalizeLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string SplitGluedLines(std::string_view text) {
    // A line break goes in right before the prefix; the two characters in front of
    // it then are that CR LF, so each place is broken once.
    std::string out;
    out.reserve(text.size() + 64);
    for (size_t i = 0; i < text.size(); ++i) {
        if (i >= 2 && !IsCrLfAt(text, i - 2)) {
            std::string_view rest = text.substr(i);
            // "trustdb.gpg: trustdb created": a file name ending in ".gpg" inside a
            // message is no message of its own.
            bool fileName = text[i - 1] == '.';
            if ((rest.starts_with(kMessagePrefix) && !fileName) || rest.starts_with(kStatusPrefix)) out += kCrLf;
        }
        out += text[i];
    }
    return out;
}

std::string StripStatusLinesFromText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const auto& line : SplitLines(text)) {
        if (ToLower(line).starts_with("[gnupg:] ")) continue;
        out += line;
        out += kCrLf;
    }
    return out;
}

std::string CleanGnuPGMessages(std::string_view text, bool removeGpgPrefix, CodepageConversion fromDos) {
    std::string out(text);
    if (MatchesPattern(out, "*\\x[a-zA-Z0-9][a-zA-Z0-9]*")) out = DecodeHexEscapes(out);
    if (fromDos) out = fromDos(out);
    if (!removeGpgPrefix) return out;
    if (out.starts_with(kMessagePrefix)) out.erase(0, kMessagePrefix.size());
    out = StrgReplace(out, "\r\ngpg: ", kCrLf);
    if (MatchesPattern(out, "*key *")) {
        if (out.starts_with("key ")) out[0] = 'K';
        out = StrgReplace(out, "\r\nkey ", "\r\nKey ");
    }
    return out;
}

ImportVerdict ImportVerdictOf(std::string_view outputText) {
    if (outputText.empty()) return ImportVerdict::None;
    const std::string lower = ToLower(outputText);
    if (lower.find("[gnupg:] import_problem") != std::string::npos) return ImportVerdict::Problem;
    if (lower.find("[gnupg:] import_ok") != std::string::npos) return ImportVerdict::Ok;
    return ImportVerdict::None;
}

std::string KeyringNotices(const KeyringTimes& before, const std::optional<KeyringTimes>& after) {
    if (!after) return "";
    std::string notices;
    if (after->pubring != before.pubring) notices += Translate("- Public keyring updated. -") + kCrLf;
    if (after->secring != before.secring) notices += Translate("- Secret keyring updated. -") + kCrLf;
    if (after->trustdb != before.trustdb) notices += Translate("- Trust DB updated. -") + kCrLf;
    return notices;
}

std::string ImportEntryText(std::string_view cleanedMessages, std::string_view notices) {
    std::string entry =
        cleanedMessages.empty() ? Translate("- No message from GnuPG. -") : std::string(cleanedMessages);
    entry = RemoveTrailingCrLfs(entry) + kCrLf + kCrLf;
    entry += notices;
    return entry;
}

std::string LogTimeLine(std::string_view localDateTime, std::string_view utcDateTime) {
    return Translate("Time: ") + std::string(localDateTime) + " (" + std::string(utcDateTime) + " UTC)" + kCrLf;
}

std::string ComposeLogEntry(std::string_view entry, std::string_view sourceFile, std::string_view timeLine) {
    std::string out(entry);
    // A keyring notice ends the messages: one more line keeps it apart from the footer.
    if (MatchesPattern(out, "* updated. -\r\n")) out += kCrLf;
    // The tray's clipboard file is no file the user knows of.
    if (!sourceFile.empty() && !MatchesPattern(ToLower(sourceFile), "*\\~pallow.asc"))
        out += Translate("File: ") + std::string(sourceFile) + kCrLf;
    out += timeLine;
    return out;
}

std::string PrependLogEntry(std::string_view log, std::string_view entry) {
    if (log.empty()) return std::string(entry);
    return std::string(entry) + kCrLf + std::string(70, '*') + kCrLf + kCrLf + std::string(log);
}

std::string ExportCommand(std::string_view gnupgExeName, std::string_view file, bool secret, std::string_view keyIds,
                          bool hidden) {
    std::string command(gnupgExeName);
    if (hidden) command += " --batch --no-tty";
    command += " -a -o " + BatchQuoted(file);
    command += secret ? " --export-secret-keys" : " --export";
    // Key IDs are hex digits from GnuPG's listing; escaping costs nothing for them
    // and keeps anything else from becoming batch syntax.
    command += BatchLiteral(keyIds);
    return command;
}

std::string ImportCommand(std::string_view gnupgExeName, std::string_view file, bool hidden, bool toLog,
                          std::string_view outFile) {
    std::string command(gnupgExeName);
    if (toLog) command += " --status-fd 1 --logger-fd 1";
    command += hidden ? " --batch --no-tty --import " : " --interactive --import ";
    command += BatchQuoted(file);
    if (toLog) command += ">" + BatchQuoted(outFile);
    return command;
}

std::string GnuPGPacketsCommand(std::string_view gnupgExePath, std::string_view file, bool hidden,
                                std::string_view outFile) {
    std::string command = BatchQuoted(gnupgExePath);
    command += hidden ? " --batch --no-tty --list-packets " : " --list-packets ";
    command += BatchQuoted(file) + ">" + BatchQuoted(outFile);
    return command;
}

std::string PgpDumpPacketsCommand(std::string_view pgpDumpPath, std::string_view options, std::string_view file,
                                  std::string_view outFile) {
    std::string command = BatchQuoted(pgpDumpPath);
    // The stored options begin with a blank; a hand-edited value without one would
    // otherwise run into the program's name.
    if (!options.empty() && options.front() != ' ') command += ' ';
    command += BatchLiteral(options);
    command += " " + BatchQuoted(file) + ">" + BatchQuoted(outFile);
    return command;
}

std::string PgpDumpOptionsFromSetting(std::string_view stored) {
    if (stored.size() >= 2 && stored.front() == '\'' && stored.back() == '\'')
        stored = stored.substr(1, stored.size() - 2);
    return std::string(stored);
}

std::string PacketListingText(std::string_view output, bool pgpDump, bool cygwin, const UserIdDecoding& decoding) {
    std::string text = !pgpDump && cygwin ? NormalizeLineEnds(output) : std::string(output);
    text = DecodeUserId(text, decoding);
    for (char& c : text) {
        if (c == '\0') c = '?';
    }
    return text;
}
