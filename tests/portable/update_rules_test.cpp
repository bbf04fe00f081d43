#include "update/update_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using update::DecimalText;
using update::DescriptionFileAddress;
using update::IsNewerRelease;
using update::IsOfferableDownload;
using update::ParseDecimal;
using update::ParseWebAddress;

constexpr char kMakerAddress[] = "https://www.clarimo.example/updates/qxupdt.qdt";

// Round trips and the rest of the forms are the update fuzz target's job.
TEST(UpdateNumbers, AreDecimalsWithAPointAndNeverWrittenWithAnExponent) {
    EXPECT_EQ(ParseDecimal(" 12 "), 12.0);
    EXPECT_EQ(ParseDecimal(".5"), 0.5);
    for (const char* text : {"2,2", "2.2 beta", "", ".", "1.2.3", "1e3", "inf", "0x10"})
        EXPECT_FALSE(ParseDecimal(text).has_value()) << text;
    EXPECT_EQ(DecimalText(3.0), "3");
    EXPECT_EQ(DecimalText(1e21), "1000000000000000000000");
    EXPECT_EQ(DecimalText(1e-7), "0.0000001");
}

TEST(UpdateNumbers, ANewerReleaseIsComparedComponentWiseWith2Point1AndBuild12) {
    EXPECT_FALSE(IsNewerRelease(2.1, 12) || IsNewerRelease(2.0, 12));
    EXPECT_TRUE(IsNewerRelease(2.1, 13) && IsNewerRelease(3.0, 5));
}

TEST(UpdateAddresses, OnlyWebAddressesWithAPlainHostAreParsed) {
    const auto loopback = ParseWebAddress("HTTP://LocalHost:8080/a/b?c=d#e");
    ASSERT_TRUE(loopback);
    EXPECT_EQ(loopback->scheme + "|" + loopback->host + "|" + loopback->rest, "http|LocalHost|/a/b?c=d#e");
    EXPECT_EQ(loopback->port, 8080);

    for (const char* address :
         {"javascript:alert(1)", "file:///C:/Windows/notepad.exe", "ftp://host/file", "C:\\setup.exe",
          "\\\\server\\share\\setup.exe", "https://user@host/", "https://host:0/", "https://host:65536/",
          "http://127.0.0.1:08/",  // found by the fuzzer: one server in two spellings
          "http://127.0.0.1:0000000000000000000008/", "https://host/a b", "https://h\xc3\xb3st/", "https://host/\r\n",
          " https://host/"})
        EXPECT_FALSE(ParseWebAddress(address).has_value()) << address;
}

TEST(UpdateAddresses, TheServerSettingMayNameHttpsOrALoopbackServer) {
    EXPECT_EQ(DescriptionFileAddress(""), kMakerAddress);
    EXPECT_EQ(DescriptionFileAddress("https://mirror.example"), "https://mirror.example/updates/qxupdt.qdt");
    EXPECT_EQ(DescriptionFileAddress(" https://mirror.example/clarimo/ "),
              "https://mirror.example/clarimo/updates/qxupdt.qdt");
    EXPECT_EQ(DescriptionFileAddress("http://127.0.0.1:8080/"), "http://127.0.0.1:8080/updates/qxupdt.qdt");
    EXPECT_EQ(DescriptionFileAddress("http://LOCALHOST"), "http://LOCALHOST/updates/qxupdt.qdt");
    for (const char* refused : {"http://192.168.1.10", "http://127.0.0.2", "http://localhost.attacker.example",
                                "http://127.0.0.1@attacker.example", "ftp://127.0.0.1", "file:///C:/updates",
                                "https://mirror.example/?q=1", "mirror.example"})
        EXPECT_EQ(DescriptionFileAddress(refused), kMakerAddress) << refused;
}

// What is refused beyond these rows is the update fuzz target's check.
TEST(UpdateAddresses, DownloadsAreOfferedOverHttpsOrFromTheSameLoopbackServer) {
    const std::string loopbackSource = "http://127.0.0.1:8080/updates/qxupdt.qdt";
    EXPECT_TRUE(IsOfferableDownload("https://downloads.clarimo.example/full.exe", kMakerAddress));
    EXPECT_TRUE(IsOfferableDownload("HTTPS://other.example/full.exe", loopbackSource));
    EXPECT_TRUE(IsOfferableDownload("http://127.0.0.1:8080/full.exe", loopbackSource));
    EXPECT_TRUE(IsOfferableDownload("http://localhost/full.exe", "http://LOCALHOST:80/updates/qxupdt.qdt"));

    EXPECT_FALSE(IsOfferableDownload("http://127.0.0.1:8080/full.exe", kMakerAddress));
    EXPECT_FALSE(IsOfferableDownload("http://127.0.0.1:8081/full.exe", loopbackSource));
}

}  // namespace
