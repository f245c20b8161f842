// The suite's mark in the version header of armored output.
#include <gtest/gtest.h>

#include <string>

#include "common/version_line.h"

namespace {

const std::string kExport =
    "-----BEGIN PGP PUBLIC KEY BLOCK-----\r\nVersion: GnuPG v1\r\n\r\nmQENBF...\r\n=abcd\r\n"
    "-----END PGP PUBLIC KEY BLOCK-----\r\n";

const std::string kClearSigned =
    "-----BEGIN PGP SIGNED MESSAGE-----\r\nHash: SHA1\r\n\r\nVersion: GnuPG v1 in the text\r\n"
    "-----BEGIN PGP SIGNATURE-----\r\nVersion: GnuPG v1\r\n\r\niQEcBAEB\r\n=wxyz\r\n-----END PGP SIGNATURE-----\r\n";

std::string Stamped(const std::string& text, bool signature, const std::string& versionLine = "") {
    return StampVersionLineText(text, signature, versionLine, "1.00").value_or("<unchanged>");
}

}  // namespace

TEST(VersionLine, DefaultMarkIsAppendedOnce) {
    const std::string once = Stamped(kExport, false);
    EXPECT_EQ(once,
              "-----BEGIN PGP PUBLIC KEY BLOCK-----\r\nVersion: GnuPG v1 - Corvane v1.00\r\n\r\nmQENBF...\r\n"
              "=abcd\r\n-----END PGP PUBLIC KEY BLOCK-----\r\n");
    EXPECT_FALSE(StampVersionLineText(once, false, "", "1.00"));
    // Another program version marks it again; a "PGP ..." value counts as the default.
    EXPECT_NE(StampVersionLineText(once, false, "", "1.01")->find("v1 - Corvane v1.00 - Corvane v1.01\r\n"),
              std::string::npos);
    EXPECT_EQ(Stamped(kExport, false, "PGP 8.0"), once);
}

TEST(VersionLine, CustomTextReplacesTheHeader) {
    const std::string custom = Stamped(kExport, false, "Our Office Keys");
    EXPECT_NE(custom.find("\r\nVersion: Our Office Keys\r\n\r\n"), std::string::npos) << custom;
    EXPECT_EQ(custom.find("GnuPG"), std::string::npos);
    // A second stamp has nothing to do: the header no longer names GnuPG.
    EXPECT_FALSE(StampVersionLineText(custom, false, "Our Office Keys", "1.00"));
    // Line breaks in the setting would make headers of their own.
    EXPECT_NE(Stamped(kExport, false, "a\r\nComment: b").find("\r\nVersion: a  Comment: b\r\n"), std::string::npos);
}

TEST(VersionLine, SignatureFlagPicksTheSignatureBlock) {
    const std::string signature = Stamped(kClearSigned, true);
    EXPECT_NE(signature.find("\r\nVersion: GnuPG v1 in the text\r\n"), std::string::npos) << "the signed text stays";
    EXPECT_NE(signature.find("-----BEGIN PGP SIGNATURE-----\r\nVersion: GnuPG v1 - Corvane v1.00\r\n"),
              std::string::npos);
    // Without the flag the first header-like line is the one changed.
    EXPECT_NE(Stamped(kClearSigned, false).find("Version: GnuPG v1 in the text - Corvane v1.00\r\n"),
              std::string::npos);
    // A signature block without a GnuPG header: nothing to do.
    std::string noHeader = kClearSigned;
    const std::string header = "SIGNATURE-----\r\nVersion";
    noHeader.replace(noHeader.find(header), header.size(), "SIGNATURE-----\r\nComment");
    EXPECT_FALSE(StampVersionLineText(noHeader, true, "", "1.00"));
}

TEST(VersionLine, OnlyGnuPGHeadersAfterALineBreakAreTouched) {
    EXPECT_FALSE(StampVersionLineText("", false, "", "1.00"));
    EXPECT_FALSE(StampVersionLineText("Version: GnuPG v1\r\n", false, "", "1.00"));
    EXPECT_FALSE(StampVersionLineText("x\r\nVersion: PGP 8\r\n", false, "", "1.00"));
    // LF-only text (a Cygwin GnuPG) is left alone as well.
    EXPECT_FALSE(StampVersionLineText("x\nVersion: GnuPG v1\n", false, "", "1.00"));
    // The last line may lack its line break; the result always ends with one.
    EXPECT_EQ(Stamped("x\r\nVersion: GnuPG v1", false), "x\r\nVersion: GnuPG v1 - Corvane v1.00\r\n");
}
