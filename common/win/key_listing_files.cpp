#include "common/win/key_listing_files.h"

#include "common/environment.h"
#include "common/listing_batch.h"
#include "common/setting_values.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/wait_window.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/settings.h"

namespace {

constexpr char kQuote = '"';

std::string HomeFile(const char* name) {
    return Env().ShellHomeDir + "\\" + name;
}

// File existence as the cache check wants it: hidden and system files count, and
// the name the system finds must be the one we asked for.
bool ListingFileExists(const char* name) {
    return ToLower(LookupFileName(HomeFile(name))) == name;
}

bool HideReload() {
    return IsSwitchOn(ReadSetting("Settings", "HideReload", Env().OsFamily == "Win9x" ? "0" : "1"));
}

void ShowMissingListing(const std::string& path) {
    ShowError(Translate("Error: File ") + kQuote + path + kQuote + Translate(" not found.") + "\r\n" +
              Translate("Please check your GnuPG configuration (invalid options, etc.)."));
}

// A damaged listing (cut short while another program rewrote it, or not GnuPG's):
// both files go, so that the next reader makes them again.
void ReportFormatError() {
    ShowWarning(JoinMessageLines({Translate("Error: Unexpected data format."), "",
                                  Translate("Please press \"OK\" now to delete ") + kQuote + Env().ShellHomeDir + "\\" +
                                      kListingFilePattern + kQuote + Translate(" and try again.")}));
    DeleteKeyListing();
}

std::string LocaleText(LCTYPE type, const char* fallback) {
    char buffer[128] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 1) return fallback;
    return buffer;
}

std::string SystemDatePart(const char* picture, int year, int month, int day, const std::string& fallback) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    char buffer[128] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, picture, buffer, sizeof buffer) <= 1) return fallback;
    return buffer;
}

int64_t LocalOffsetSeconds() {
    FILETIME utc, local;
    GetSystemTimeAsFileTime(&utc);
    if (!FileTimeToLocalFileTime(&utc, &local)) return 0;
    auto ticks = [](const FILETIME& time) {
        return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    return (ticks(local) - ticks(utc)) / 10000000;
}

}  // namespace

std::string SecretListingPath() {
    return HomeFile(kSecretListingFile);
}

std::string PublicListingPath() {
    return HomeFile(kPublicListingFile);
}

bool CreateKeyListing(HWND mainWindow) {
    const Environment& env = Env();
    ListingBatchSettings settings;
    settings.context = CurrentBatchContext();
    settings.gpgName = env.GnuPGExeName;
    settings.homeDir = ConvertToDosCodepage(env.ShellHomeDir);
    settings.hideReload = HideReload();
    settings.addBatchPause = env.AddBatchPause;
    settings.cygwin = env.Switches.Cygwin;
    const std::string batchText = ComposeListingBatch(settings);

    if (!settings.hideReload) return RunNamedBatchText(kListingBatchFile, batchText, kWindowNormal);
    WaitWindow wait;
    RECT frame;
    if (mainWindow && IsWindowVisible(mainWindow) && GetWindowRect(mainWindow, &frame))
        wait.Show(Translate("Loading keys ..."), POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2});
    else
        wait.Show(Translate("Loading keys ..."));
    return RunNamedBatchText(kListingBatchFile, batchText, kWindowHidden);
}

bool EnsureKeyListing(HWND mainWindow) {
    if (ListingFileExists(kPublicListingFile) && ListingFileExists(kSecretListingFile)) return true;
    if (CreateKeyListing(mainWindow)) return true;
    ShowError(Translate("Error: Export of key-data to \"~pubkeys.dat\" and \"~seckeys.dat\" failed."));
    return false;
}

void DeleteKeyListing() {
    DeleteMatchingFiles(Env().ShellHomeDir, kListingFilePattern);
}

std::optional<KeyListing> ReadKeyListing(const KeyListingOptions& options, HWND mainWindow) {
    if (!EnsureKeyListing(mainWindow)) return std::nullopt;

    SecretListingRead secret;
    std::string text;
    const std::string secretPath = SecretListingPath();
    if (ReadWholeFile(secretPath, text)) {
        secret = ReadSecretListing(text);
        if (secret.formatError) {
            ReportFormatError();
            return std::nullopt;
        }
    } else {
        ShowMissingListing(secretPath);
    }

    const std::string publicPath = PublicListingPath();
    if (!ReadWholeFile(publicPath, text)) {
        ShowMissingListing(publicPath);
        return std::nullopt;
    }
    PublicListingRead read = ReadPublicListing(text, secret, options);
    // One warning per read: a listing damaged throughout must not bury the user
    // under a box for every key.
    if (!read.undecodableKeyIds.empty()) {
        ShowWarning(JoinMessageLines(
            {Translate("Error: Unexpected data format for Key ID: ") + read.undecodableKeyIds.front(), "",
             Translate("Please check this key for errors or send it (the public part) to the program-author.")}));
    }
    if (read.formatError) ReportFormatError();
    return std::move(read.listing);
}

KeyListingOptions KeyListingOptionsFromSettings() {
    KeyListingOptions options;
    options.longKeyIds = ReadBoolSetting("Morvish", "LongKeyIDs", "False");
    options.trustDisplay = TrustDisplayFromSetting(Trim(ReadSetting("Morvish", "GraphDisplay", "0")));
    options.colorNormal = GetSysColor(COLOR_WINDOWTEXT);
    options.colorElgType = static_cast<RowColour>(
        ParseSettingInteger(ReadSetting("Settings", "ColorElgType", ""), static_cast<long>(kDefaultColorElgType)));
    options.colorKeyPair = static_cast<RowColour>(
        ParseSettingInteger(ReadSetting("Settings", "ColorKeyPair", ""), static_cast<long>(kDefaultColorKeyPair)));
    options.dates = LocaleDateStyle();
    options.userIds = SystemUserIdDecoding();
    return options;
}

DateStyle LocaleDateStyle() {
    DateStyle style;
    style.shortDatePicture = LocaleText(LOCALE_SSHORTDATE, "yyyy-MM-dd");
    style.timePicture = LocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss");
    // The names exactly as the system's own date formatting writes them (its
    // abbreviations can differ from the locale's name lists).
    DateNames& names = style.names;
    for (int month = 1; month <= 12; ++month) {
        names.months[month - 1] = SystemDatePart("MMMM", 2001, month, 1, names.months[month - 1]);
        names.monthsShort[month - 1] = SystemDatePart("MMM", 2001, month, 1, names.monthsShort[month - 1]);
        // With a day number beside it; the day ("1") and the blank are cut off.
        names.monthsGenitive[month - 1] =
            SystemDatePart("d MMMM", 2001, month, 1, "1 " + names.months[month - 1]).substr(2);
        names.monthsShortGenitive[month - 1] =
            SystemDatePart("d MMM", 2001, month, 1, "1 " + names.monthsShort[month - 1]).substr(2);
    }
    // 2001-01-07 was a Sunday.
    for (int weekday = 0; weekday < 7; ++weekday) {
        names.days[weekday] = SystemDatePart("dddd", 2001, 1, 7 + weekday, names.days[weekday]);
        names.daysShort[weekday] = SystemDatePart("ddd", 2001, 1, 7 + weekday, names.daysShort[weekday]);
    }
    names.am = LocaleText(LOCALE_S1159, "");
    names.pm = LocaleText(LOCALE_S2359, "");
    style.localOffsetSeconds = LocalOffsetSeconds();
    return style;
}

std::string Utf8ToAnsi(std::string_view text) {
    if (text.empty()) return "";
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wideLength <= 0) return std::string(text);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string(text);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

UserIdDecoding SystemUserIdDecoding() {
    UserIdDecoding decoding;
    decoding.oemCodepage = Env().OemCodepage;
    decoding.ansiCodepage = Env().AnsiCodepage;
    decoding.fromDos = &ConvertFromDosCodepage;
    decoding.fromUtf8 = &Utf8ToAnsi;
    return decoding;
}

std::string DecodeUserId(std::string_view text) {
    return DecodeUserId(text, SystemUserIdDecoding());
}
