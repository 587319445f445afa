#include <gtest/gtest.h>

#include <string>

#include "platform/HostSupport.h"
#include "platform/Platform.h"

namespace stem {

namespace {

// A key of the tests' own under HKEY_CURRENT_USER, removed before and after each test.
const Utf8String TestKey = "Software\\StemraTests\\RegistrySeam";

class RegistrySeam : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platform::DeleteUserRegistryTree(TestKey)); }
    void TearDown() override { platform::DeleteUserRegistryTree(TestKey); }

    // The value under TestKey\subKey as the seam reads it; "<missing>" when it cannot.
    static std::string Read(const Utf8String& keyPath, const Utf8String& subKey,
                            const Utf8String& name, uint32_t* type = nullptr)
    {
        platform::RegistryKey key = platform::OpenOrCreateUserKey(keyPath);
        if (key == nullptr)
            return "<no key>";
        platform::RegistryKey sub = platform::OpenSubKey(key, subKey);
        std::string data = "<missing>";
        uint32_t valueType = 0;
        if (sub != nullptr && platform::QueryRegistryValue(sub, name, valueType, data) &&
            type != nullptr)
            *type = valueType;
        platform::CloseRegistryKey(sub);
        platform::CloseRegistryKey(key);
        return data;
    }
};

// String values are UTF-16LE code units, as the "W" functions keep them: a folder named in any
// script reads back unchanged.
TEST_F(RegistrySeam, ValueReadsBackWithTypeAndRawBytes)
{
    const std::string text = platform::RegistryStringData(u"C:\\表\\설정\\PlugIns");
    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common", "PlugInsFolder",
                                               platform::RegistryString, text));
    uint32_t type = 0;
    EXPECT_EQ(Read(TestKey, "Common", "PlugInsFolder", &type), text);
    EXPECT_EQ(type, platform::RegistryString);

    const std::string number("\x01\x00\x00\x00", 4);
    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common", "Number", 4, number));
    EXPECT_EQ(Read(TestKey, "Common", "Number", &type), number);
    EXPECT_EQ(type, 4u);
}

TEST_F(RegistrySeam, KeyAndValueNamesIgnoreLetterCase)
{
    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common", "PlugInsFolder",
                                               platform::RegistryString,
                                               platform::RegistryStringData(u"x")));
    EXPECT_EQ(Read("SOFTWARE\\stemratests\\REGISTRYSEAM", "common", "PLUGINSFOLDER"),
              platform::RegistryStringData(u"x"));
}

TEST_F(RegistrySeam, TrailingBackslashNamesTheSameKey)
{
    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common", "V", platform::RegistryString,
                                               platform::RegistryStringData(u"y")));
    EXPECT_EQ(Read(TestKey + "\\", "Common", "V"), platform::RegistryStringData(u"y"));
}

TEST_F(RegistrySeam, MissingSubKeyOrValueIsReportedNotCreated)
{
    EXPECT_EQ(Read(TestKey, "Common", "PlugInsFolder"), "<missing>");
    // Opening with create made the key but not the subkey.
    platform::RegistryKey key = platform::OpenOrCreateUserKey(TestKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(platform::OpenSubKey(key, "Common"), nullptr);
    platform::CloseRegistryKey(key);

    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common", "Other",
                                               platform::RegistryString,
                                               platform::RegistryStringData(u"z")));
    EXPECT_EQ(Read(TestKey, "Common", "PlugInsFolder"), "<missing>");
}

TEST_F(RegistrySeam, EmptyValueHasNoBytes)
{
    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common", "Empty",
                                               platform::RegistryString, ""));
    uint32_t type = 0;
    EXPECT_EQ(Read(TestKey, "Common", "Empty", &type), "");
    EXPECT_EQ(type, platform::RegistryString);
}

TEST_F(RegistrySeam, DeletedTreeTakesItsSubKeysAndValues)
{
    ASSERT_TRUE(platform::SetUserRegistryValue(TestKey + "\\Common\\Deep", "V",
                                               platform::RegistryString,
                                               platform::RegistryStringData(u"v")));
    ASSERT_TRUE(platform::DeleteUserRegistryTree(TestKey));
    EXPECT_EQ(Read(TestKey, "Common\\Deep", "V"), "<missing>");
    EXPECT_TRUE(platform::DeleteUserRegistryTree(TestKey)) << "deleting a missing key succeeds";
}

// The key where Windows lists the Japanese eras, under HKEY_LOCAL_MACHINE. Wine has none: the
// test writes one value of its own there and removes it again.
TEST_F(RegistrySeam, MachineKeyValuesReadBackWithTypeAndRawBytes)
{
    const Utf8String erasKey = "SYSTEM\\CurrentControlSet\\Control\\Nls\\Calendars\\Japanese\\Eras";
    const Utf8String name = "2099 01 01";
    const std::string text = platform::RegistryStringData(u"試験_試_Shiken_S");
    const auto find = [&] {
        for (const platform::RegistryValue& value : platform::ReadMachineKeyValues(erasKey))
            if (value.name == name)
                return value;
        return platform::RegistryValue{"<missing>", 0, ""};
    };
    ASSERT_TRUE(platform::SetMachineRegistryValue(erasKey, name, platform::RegistryString, text));
    const platform::RegistryValue read = find();
    ASSERT_TRUE(platform::DeleteMachineRegistryValue(erasKey, name));
    EXPECT_EQ(read.name, name);
    EXPECT_EQ(read.type, platform::RegistryString);
    EXPECT_EQ(read.data, text);
    EXPECT_EQ(find().name, "<missing>") << "removed again";
    EXPECT_TRUE(platform::ReadMachineKeyValues(erasKey + "\\NoSuchKey").empty());
}

TEST_F(RegistrySeam, NullKeysAreHarmless)
{
    std::string data = "unchanged";
    uint32_t type = 7;
    EXPECT_EQ(platform::OpenSubKey(nullptr, "Common"), nullptr);
    EXPECT_FALSE(platform::QueryRegistryValue(nullptr, "V", type, data));
    EXPECT_EQ(data, "unchanged");
    EXPECT_EQ(type, 7u);
    platform::CloseRegistryKey(nullptr);
}

}  // namespace

}  // namespace stem
