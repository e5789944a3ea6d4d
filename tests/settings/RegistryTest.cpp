// Settings: first-run defaults, the stored forms, boolean reading, type and
// write failures, and that the store is open only during Load and Save.
#include "settings/UVelquorRegistry.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QSettings>
#include <QStringList>

namespace {

class Registry : public ::testing::Test {
protected:
    TempDir dir;
    std::string file = dir / "velquor.ini";

    std::unique_ptr<TVelquorRegistry> Loaded()
    {
        auto r = std::make_unique<TVelquorRegistry>();
        r->SetStorageFile(file);
        r->Load();
        return r;
    }
    QVariant Stored(const char* key) const
    {
        return QSettings(QString::fromStdString(file), QSettings::IniFormat).value(key);
    }
    void Store(const char* key, const QVariant& value)
    {
        QSettings s(QString::fromStdString(file), QSettings::IniFormat);
        s.setValue(key, value);
    }
};

// Reads one flag with a chosen default, and can try to read outside Load.
class FlagReader : public TRegistryBase {
public:
    FlagReader(bool def, bool fail) : TRegistryBase("Orvak", "Velquor"), def_(def), fail_(fail) {}
    bool Flag = false;
    std::string ReadOutside() { return ReadString("View", "StatusBar", ""); }

protected:
    void LoadValues() override
    {
        Flag = ReadBool("View", "StatusBar", def_);
        if (fail_) throw Exception("load failed");
    }
    void SaveValues() override {}

private:
    bool def_;
    bool fail_;
};

TEST_F(Registry, FirstRunGivesDefaultsAndCreatesTheStore)
{
    auto r = Loaded();
    EXPECT_EQ(r->KeyPath(), "Software\\Orvak\\Velquor");
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(r->PaletteDirectory, "");
    EXPECT_EQ(r->VqpDirectory, "");
    EXPECT_TRUE(r->StatusBar);
    EXPECT_TRUE(r->ToolBar);
    EXPECT_EQ(r->Language, "ja");

    r->Save();
    EXPECT_EQ(Stored("Settings/PaletteDirectory"), QVariant(QString("")));
    EXPECT_EQ(Stored("Settings/VqpDirectory"), QVariant(QString("")));
    EXPECT_EQ(Stored("View/StatusBar"), QVariant(QString("1")));
    EXPECT_EQ(Stored("View/ToolBar"), QVariant(QString("1")));
    EXPECT_EQ(Stored("Settings/Language"), QVariant(QString("ja")));
}

TEST_F(Registry, FinalStateOfARunIsReadBackNextTime)
{
    auto r = Loaded();
    r->ToolBar = !r->ToolBar;
    r->ToolBar = !r->ToolBar;
    r->StatusBar = !r->StatusBar;
    r->PaletteDirectory = "C:\\パレット\\mcf, old";
    r->VqpDirectory = "/home/user/模様";
    r->Language = "en";
    r->PaletteBrowser = true;
    r->RecentPalettes = {"/p/炎.mcf", "/p/a, b.mcf"};
    r->Save();

    auto next = Loaded();
    EXPECT_TRUE(next->ToolBar);
    EXPECT_FALSE(next->StatusBar);
    EXPECT_EQ(next->PaletteDirectory, "C:\\パレット\\mcf, old");
    EXPECT_EQ(next->VqpDirectory, "/home/user/模様");
    EXPECT_EQ(next->Language, "en");
    EXPECT_TRUE(next->PaletteBrowser);
    EXPECT_EQ(next->RecentPalettes, (std::vector<std::string>{"/p/炎.mcf", "/p/a, b.mcf"}));
    EXPECT_EQ(Stored("View/StatusBar"), QVariant(QString("0")));
    // A shorter list clears the places of the longer one it replaces.
    next->RecentPalettes = {"/p/x.mcf"};
    next->Save();
    EXPECT_EQ(Loaded()->RecentPalettes, std::vector<std::string>{"/p/x.mcf"});
}

TEST_F(Registry, WorkspaceValuesSitBesideTheFourAndAShorterListLeavesNoOldEntry)
{
    auto r = Loaded();
    EXPECT_EQ(r->WindowGeometry, "");
    EXPECT_EQ(r->FormulaDialogPlace, "");
    EXPECT_TRUE(r->RecentFiles.empty());
    EXPECT_FALSE(r->FollowWindow);
    r->WindowGeometry = "AdnQywADAAA=";
    r->FormulaDialogPlace = "120,-40";
    r->FollowWindow = true;
    for (int i = 1; i <= 8; ++i) r->RecentFiles.push_back("/模様/" + std::to_string(i) + ".vqp");
    r->Save();

    auto next = Loaded();
    EXPECT_EQ(next->WindowGeometry, "AdnQywADAAA=");
    EXPECT_EQ(next->FormulaDialogPlace, "120,-40");
    EXPECT_TRUE(next->FollowWindow);
    EXPECT_EQ(next->RecentFiles, r->RecentFiles);
    EXPECT_EQ(Stored("Recent/File8"), QVariant(QString("/模様/8.vqp")));
    // The four keep their sections and forms.
    EXPECT_EQ(Stored("View/StatusBar"), QVariant(QString("1")));

    next->RecentFiles = {"/a.vqp", "/b.vqp"};
    next->Save();
    EXPECT_EQ(Loaded()->RecentFiles, (std::vector<std::string>{"/a.vqp", "/b.vqp"}));
}

TEST_F(Registry, BooleansAreIntegersOtherwiseTheDefault)
{
    const std::tuple<const char*, bool, bool> cases[] = {
        // text, with default true, with default false
        {"0", false, false},  {"1", true, true},    {"2", true, true}, {"-1", true, true},   {"$0", false, false},
        {"0x10", true, true}, {"yes", true, false}, {"", true, false}, {"1.0", true, false},
    };
    for (const auto& [text, withTrue, withFalse] : cases) {
        Store("View/StatusBar", QString(text));
        for (const bool def : {true, false}) {
            FlagReader reader(def, false);
            reader.SetStorageFile(file);
            reader.Load();
            EXPECT_EQ(reader.Flag, def ? withTrue : withFalse) << '"' << text << "\" default " << def;
        }
    }
}

TEST_F(Registry, ValueOfAnotherTypeIsAnError)
{
    const std::pair<const char*, QVariant> cases[] = {
        {"PaletteDirectory", QStringList{"a", "b"}},
        {"ToolBar", QByteArray("\x01\x02", 2)},
    };
    for (const auto& [name, value] : cases) {
        std::filesystem::remove(file);
        Store(name == std::string("ToolBar") ? "View/ToolBar" : "Settings/PaletteDirectory", value);
        try {
            Loaded();
            ADD_FAILURE() << name;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), std::string("'") + name + "' のデータ型が不正です");
        }
    }
}

TEST_F(Registry, FailedWriteIsReportedWithTheValueName)
{
    WriteBytes(dir / "plainfile", "x");
    TVelquorRegistry r;
    r.SetStorageFile(dir / "plainfile/velquor.ini");
    EXPECT_NO_THROW(r.Load()) << "an unusable store only means defaults";
    EXPECT_TRUE(r.StatusBar);
    try {
        r.Save();
        ADD_FAILURE();
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "'PaletteDirectory' の設定に失敗しました");
    }
}

TEST_F(Registry, StoreIsOpenOnlyDuringLoad)
{
    Store("View/StatusBar", QString("0"));
    FlagReader reader(true, true);
    reader.SetStorageFile(file);
    EXPECT_THROW(reader.ReadOutside(), ERegistryException);
    EXPECT_THROW(reader.Load(), Exception);
    EXPECT_FALSE(reader.Flag) << "the value was read before the failure";
    EXPECT_THROW(reader.ReadOutside(), ERegistryException) << "a failed load still closes the store";
}

} // namespace
