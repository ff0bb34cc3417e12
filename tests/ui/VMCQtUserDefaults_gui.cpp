// The batch converter's window-level choices through QSettings: what is written comes back
// from the settings file as it was, bytes of names that are not UTF-8 included, and what is
// removed stays away.
#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "VMCQtUserDefaults.h"

namespace {

// QSettings in a folder of the test's own; the folder of the test run comes back after.
class QtUserDefaults : public ::testing::Test {
protected:
    void SetUp() override { useFolder(mDir.file("first")); }
    void TearDown() override {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromUtf8(config != nullptr ? config : ""));
    }

    static void useFolder(const std::string& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder));
    }

    // The settings file as written, read in a folder QSettings has not seen in this
    // process, so that nothing comes from what it keeps in memory.
    void readFromDisk() {
        const std::string written = QSettings().fileName().toStdString();
        ASSERT_TRUE(std::filesystem::exists(written)) << written;
        const std::string again = mDir.file("second") + written.substr(mDir.file("first").size());
        std::filesystem::create_directories(std::filesystem::path(again).parent_path());
        std::filesystem::copy_file(written, again);
        useFolder(mDir.file("second"));
        ASSERT_EQ(QSettings().fileName().toStdString(), again);
    }

    TestTempDir mDir;
};

struct Kept {
    const char* what;
    XStr key;
    XPropertyValue value;
};

const std::vector<Kept>& keptValues() {
    static const std::vector<Kept> kept = {
        {"a folder path of names that are not UTF-8", "FileSelectorLocation",
         XPropertyValue::List{XStr("home"), XStr(std::string("caf\xe9 \xff\xfe")),
                              XStr("a/b:c d")}},
        {"a key that is not UTF-8, with a slash", XStr(std::string("Cols/\x80\xc3 x:y")),
         XStr(std::string("value \xc3"))},
        {"a profile name", "FileSelectorProfile", XStr("Phone — small")},
        {"text that reads as a switch", "Looks Like A Switch", XStr("true")},
        {"text that reads as a number", "Looks Like A Number", XStr("12.5")},
        {"an empty text", "Empty", XStr("")},
        {"a switch on", "Switch On", true},
        {"a switch off", "Switch Off", false},
        {"a width", "Batch Converter Name Width", 251.5},
        {"a zero", "Zero", 0},
        {"an empty list", "Nothing Listed", XPropertyValue::List{}},
    };
    return kept;
}

TEST_F(QtUserDefaults, ValuesComeBackFromTheSettingsFileAsTheyWereWritten) {
    {
        VMCQtUserDefaults defaults;
        for (const Kept& k : keptValues()) {
            defaults.setValue(k.key, k.value);
        }
    }
    readFromDisk();
    const VMCQtUserDefaults defaults;
    for (const Kept& k : keptValues()) {
        const std::optional<XPropertyValue> back = defaults.value(k.key);
        ASSERT_TRUE(back.has_value()) << k.what;
        EXPECT_EQ(*back, k.value) << k.what;
    }
    const std::optional<XStrList> names = defaults.stringList("FileSelectorLocation");
    ASSERT_TRUE(names.has_value());
    ASSERT_EQ(names->size(), 3u);
    EXPECT_EQ((*names)[1].utf8(), std::string("caf\xe9 \xff\xfe"));
}

TEST_F(QtUserDefaults, ARemovedValueStaysAwayAndTheOthersStay) {
    {
        VMCQtUserDefaults defaults;
        defaults.setValue("FileSelectorProfile", XStr("Kept"));
        defaults.setValue(XStr(std::string("Gone \xff")), XStr("soon"));
        defaults.setValue("Gone Too", 3);
        defaults.remove(XStr(std::string("Gone \xff")));
        defaults.remove("Gone Too");
        // Neither a key never written nor one with a similar name is harmed by a removal.
        defaults.remove("Never Written");
        defaults.remove("FileSelectorProfil");
        EXPECT_FALSE(defaults.value("Gone Too").has_value());
    }
    readFromDisk();
    const VMCQtUserDefaults defaults;
    EXPECT_FALSE(defaults.value(XStr(std::string("Gone \xff"))).has_value());
    EXPECT_FALSE(defaults.value("Gone Too").has_value());
    EXPECT_FALSE(defaults.value("Never Written").has_value());
    EXPECT_EQ(defaults.stringValue("FileSelectorProfile"), XStr("Kept"));
}

TEST_F(QtUserDefaults, AValueWrittenAgainReplacesTheOldOne) {
    {
        VMCQtUserDefaults defaults;
        defaults.setValue("FileSelectorLocation", XPropertyValue::List{XStr("home"), XStr("old")});
        defaults.setValue("FileSelectorLocation", XPropertyValue::List{XStr("media")});
    }
    readFromDisk();
    EXPECT_EQ(VMCQtUserDefaults().value("FileSelectorLocation"),
              std::optional<XPropertyValue>(XPropertyValue::List{XStr("media")}));
}

}  // namespace
