#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/platform/adapter_address.h"
#include "temp_files.h"

namespace wertalo::platform {
namespace {

// An interface folder and the content of its "address" file (nullptr: no such file).
using Interface = std::pair<const char*, const char*>;

struct AddressCase {
  const char* name;
  std::vector<Interface> interfaces;
  const char* expected;
};

class AdapterAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AdapterAddressTest, FirstRealInterfaceInNameOrder) {
  QTemporaryDir dir;
  for (const auto& [interfaceName, address] : GetParam().interfaces) {
    const QString folder = dir.filePath(interfaceName);
    ASSERT_TRUE(QDir().mkpath(folder));
    if (address) test::putFile(folder + "/address", address);
  }
  EXPECT_EQ(MACAddress(dir.path()), QString(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdapterAddressTest,
    ::testing::Values(
        AddressCase{"TwoInterfacesInNameOrder",
                    {{"lo", "00:00:00:00:00:00\n"}, {"wlan0", "52:54:00:ab:cd:ef\n"}, {"eth0", "08:00:27:0a:0b:0c\n"}},
                    "0800270A0B0C"},
        AddressCase{"LoopbackSkippedEvenWithAnAddress",
                    {{"lo", "02:00:00:00:00:01\n"}, {"wlan0", "52:54:00:ab:cd:ef\n"}},
                    "525400ABCDEF"},
        AddressCase{"AllZeroSkipped", {{"dummy0", "00:00:00:00:00:00\n"}, {"eth0", "de:ad:be:ef:00:01\n"}},
                    "DEADBEEF0001"},
        AddressCase{"NoAddressFileSkipped", {{"a0", nullptr}, {"b0", "00:11:22:33:44:55"}}, "001122334455"},
        AddressCase{"NotSixBytesSkipped", {{"ib0", "80:00:00:48:fe:80:00:00:00:00\n"}, {"tun0", "\n"}, {"x0", "zz:11:22:33:44:55\n"}, {"z0", "aa:bb:cc:dd:ee:ff\n"}},
                    "AABBCCDDEEFF"},
        AddressCase{"OnlyLoopback", {{"lo", "00:00:00:00:00:00\n"}}, ""},
        AddressCase{"NoInterfaces", {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AdapterAddress, MissingFolderGivesEmpty) {
  QTemporaryDir dir;
  EXPECT_EQ(MACAddress(dir.filePath("no-such-folder")), QString());
}

}  // namespace
}  // namespace wertalo::platform
