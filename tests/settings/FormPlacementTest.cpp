// SPDX-License-Identifier: GPL-3.0-or-later
// The settings component on a small window: when it reads and writes, in
// what order its own values go, how it keeps and calls the window's handlers,
// and what an error in the store does.
#include "desktop/PlacementRecord.h"
#include "settings/TFormStorage.h"
#include "settings/TRegIniFile.h"
#include "settings/TStore.h"
#include "support/SettingsPlace.h"
#include "support/TestFiles.h"
#include "toolkit/ErrorBox.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"
#include "toolkit/TPanel.h"
#include "toolkit/TWinXP.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// The values of one test, kept beyond the life of each store object, and the
// calls every store made, in their order.
struct StoreLog {
    std::map<QString, QString> Values;  // "section/name" -> text
    QStringList Calls;                  // "read FormVersion", "write Visible=0", "close"
    QString FailReadOf;                 // raises "Invalid data type" when read
    QString FailWriteOf;                // raises "Failed to set data" when written
    int FailWrites = 0;                 // how many times the write fails

    QStringList Writes() const
    {
        QStringList writes;
        for (const QString& call : Calls)
            if (call.startsWith("write "))
                writes << call.mid(6);
        return writes;
    }
    QStringList Reads() const
    {
        QStringList reads;
        for (const QString& call : Calls)
            if (call.startsWith("read "))
                reads << call.mid(5);
        return reads;
    }
};

class LoggingStore : public TStore {
public:
    explicit LoggingStore(StoreLog& log) : log_(log) {}
    QString ReadStoreText(const QString& section, const QString& name, const QString& defaultText) override
    {
        log_.Calls << "read " + name;
        if (name == log_.FailReadOf)
            throw ERegistryException(InvalidDataTypeMessage(name));
        const auto it = log_.Values.find(section + "/" + name);
        return it == log_.Values.end() ? defaultText : it->second;
    }
    void WriteStoreText(const QString& section, const QString& name, const QString& text) override
    {
        if (name == log_.FailWriteOf && log_.FailWrites > 0) {
            --log_.FailWrites;
            throw ERegistryException(SetDataFailedMessage(name));
        }
        log_.Calls << "write " + name + "=" + text;
        log_.Values[section + "/" + name] = text;
    }
    void EraseSection(const QString& section) override { log_.Calls << "erase " + section; }
    void Close() override { log_.Calls << "close"; }

private:
    StoreLog& log_;
};

class LoggingStorage : public TFormStorage {
public:
    LoggingStorage(QObject* owner, StoreLog& log) : TFormStorage(owner), log_(log) {}

    // The component's own text access, as a derived component would have it.
    QString ReadString(const QString& section, const QString& name, const QString& defaultText) override
    {
        log_.Calls << "own read " + name;
        return TFormStorage::ReadString(section, name, defaultText);
    }
    void WriteString(const QString& section, const QString& name, const QString& text) override
    {
        log_.Calls << "own write " + name;
        TFormStorage::WriteString(section, name, text);
    }

protected:
    std::unique_ptr<TStore> CreateStore(bool readOnly) override
    {
        log_.Calls << (readOnly ? "open read" : "open write");
        return std::make_unique<LoggingStore>(log_);
    }

private:
    StoreLog& log_;
};

// A window built the way the main window is: components first, then the
// end of loading.
class SmallWindow : public TForm {
public:
    explicit SmallWindow(StoreLog& log, const std::function<void(SmallWindow&)>& design = {})
    {
        setObjectName("SmallWindow");
        resize(300, 200);
        Field = new TEdit(this);
        Field->setObjectName("Field");
        Field->SetText("designed");
        Storage = new LoggingStorage(this, log);
        Storage->setObjectName("Storage1");
        Storage->SetIniSection("Setup");
        Storage->SetUseRegistry(true);
        Storage->SetOptions(TPlacementOptions{fpPosition});
        Extra = Storage->StoredValues()->Add();
        Extra->SetName("Extra");
        Extra->SetValue("designed extra");
        if (design)
            design(*this);
        FinishLoading();
    }
    TEdit* Field = nullptr;
    LoggingStorage* Storage = nullptr;
    TStoredValue* Extra = nullptr;
};

// Records the error boxes of one test.
class ErrorBoxes {
public:
    ErrorBoxes()
    {
        toolkit::SetMessageBoxHook([this](const QString&, const QString& text) { Texts << text; });
    }
    ~ErrorBoxes() { toolkit::SetMessageBoxHook({}); }
    QStringList Texts;
};

TEST(FormPlacement, PublishedPropertiesHaveTheirDefaults)
{
    TForm window;
    TFormPlacement placement(&window);
    const std::pair<const char*, QVariant> rows[] = {
        {"Active", true},
        {"IniFileName", QString()},
        {"IniSection", QString()},
        {"Options", QVariant::fromValue(TPlacementOptions(fpState | fpPosition))},
        {"PreventResize", false},
        {"RegistryRoot", QVariant::fromValue(prCurrentUser)},
        {"UseRegistry", false},
        {"Version", 0},
    };
    for (const auto& [name, expected] : rows)
        EXPECT_EQ(placement.property(name), expected) << name;
    auto* info = placement.property("MinMaxInfo").value<TWinMinMaxInfo*>();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->DefaultMinMaxInfo());
    EXPECT_EQ(info->metaObject()->propertyCount() - info->metaObject()->propertyOffset(), 8);

    QObject plainOwner;
    EXPECT_EQ(TFormPlacement(&plainOwner).Options(), TPlacementOptions());
    // Options and roots read and write by name.
    EXPECT_TRUE(placement.setProperty("Options", "fpState|fpActiveControl"));
    EXPECT_EQ(placement.Options(), TPlacementOptions(fpState | fpActiveControl));
    EXPECT_TRUE(placement.setProperty("RegistryRoot", "prLocalMachine"));
    EXPECT_EQ(placement.RegistryRoot(), prLocalMachine);
}

TEST(FormPlacement, SectionIsIniSectionElseTheWindowClassName)
{
    StoreLog log;
    SmallWindow window(log, [](SmallWindow& w) { w.Storage->SetIniSection(QString()); });
    EXPECT_EQ(window.Storage->StoreSection(), "TForm");
    window.Storage->SetIniSection("Setup");
    EXPECT_EQ(window.Storage->StoreSection(), "Setup");
}

TEST(FormPlacement, FirstShowReadsTheVersionAndTheValuesThenClosesTheStore)
{
    StoreLog log;
    SmallWindow window(log);
    EXPECT_FALSE(window.Storage->Restored());
    window.show();
    EXPECT_TRUE(window.Storage->Restored());
    ASSERT_GE(log.Calls.size(), 3);
    EXPECT_EQ(log.Calls.first(), "open read");
    EXPECT_EQ(log.Calls.at(1), "read FormVersion");
    EXPECT_EQ(log.Calls.last(), "close");
    EXPECT_TRUE(log.Reads().contains("Extra"));
    EXPECT_TRUE(log.Writes().isEmpty());
    EXPECT_EQ(window.Storage->Store(), nullptr);
}

TEST(FormPlacement, CloseWritesVersionFirstThenVisibleThenTheNamedValues)
{
    StoreLog log;
    SmallWindow window(log, [](SmallWindow& w) { w.Storage->SetVersion(3); });
    window.show();
    log.Calls.clear();
    EXPECT_TRUE(window.close());
    const QStringList writes = log.Writes();
    ASSERT_FALSE(writes.isEmpty());
    EXPECT_EQ(writes.first(), "FormVersion=3");
    const qsizetype visible = writes.indexOf("Visible=0");
    const qsizetype extra = writes.indexOf("Extra=designed extra");
    EXPECT_GT(visible, 0);
    EXPECT_GT(extra, visible);
    EXPECT_EQ(log.Calls.first(), "open write");
    EXPECT_EQ(log.Calls.last(), "close");
    EXPECT_TRUE(window.Storage->Saved());
}

TEST(FormPlacement, DestroyAfterACloseWritesNothingMore)
{
    StoreLog log;
    {
        SmallWindow window(log);
        window.show();
        window.close();
        log.Calls.clear();
    }
    EXPECT_TRUE(log.Writes().isEmpty());
}

TEST(FormPlacement, DestroyWithoutACloseSavesWithVisibleOne)
{
    StoreLog log;
    {
        SmallWindow window(log);
        window.show();
        log.Calls.clear();
    }
    const QStringList writes = log.Writes();
    ASSERT_FALSE(writes.isEmpty());
    EXPECT_EQ(writes.first(), "FormVersion=0");
    EXPECT_TRUE(writes.contains("Visible=1"));
}

TEST(FormPlacement, NothingIsSavedBeforeARestore)
{
    StoreLog log;
    {
        SmallWindow window(log);
        window.Storage->SaveSettings();
        EXPECT_FALSE(window.Storage->Saved());
    }
    EXPECT_TRUE(log.Calls.isEmpty());
}

TEST(FormPlacement, AnInactiveComponentNeitherReadsNorWrites)
{
    StoreLog log;
    {
        SmallWindow window(log, [](SmallWindow& w) { w.Storage->SetActive(false); });
        window.show();
        window.close();
    }
    EXPECT_TRUE(log.Calls.isEmpty());
}

// A stored version below Version skips the reading, yet counts as restored.
TEST(FormPlacement, StoredVersionDecidesWhetherValuesAreRead)
{
    struct Row {
        const char* stored;  // nullptr: no value
        int version;
        bool readsValues;
    };
    const Row rows[] = {{nullptr, 0, true}, {"0", 0, true},  {"2", 1, true},
                        {"1", 2, false},    {"-1", 0, false}, {"x", 1, false}};
    for (const Row& row : rows) {
        StoreLog log;
        if (row.stored)
            log.Values["Setup/FormVersion"] = row.stored;
        log.Values["Setup/Extra"] = "stored extra";
        SmallWindow window(log, [&](SmallWindow& w) { w.Storage->SetVersion(row.version); });
        window.show();
        const std::string label = std::string(row.stored ? row.stored : "none") + " vs " + std::to_string(row.version);
        EXPECT_TRUE(window.Storage->Restored()) << label;
        EXPECT_EQ(window.Extra->Value(), row.readsValues ? "stored extra" : "designed extra") << label;
        if (!row.readsValues) {
            EXPECT_EQ(log.Reads(), QStringList{"FormVersion"}) << label;
        }
        log.Calls.clear();
        window.close();
        EXPECT_EQ(log.Writes().value(0), "FormVersion=" + QString::number(row.version)) << label;
        EXPECT_TRUE(log.Writes().contains("Visible=0")) << label;
    }
}

TEST(FormPlacement, KeptHandlersAreCalledAndPutBack)
{
    StoreLog log;
    QStringList calls;
    SmallWindow window(log, [&](SmallWindow& w) {
        w.OnShow = [&](QObject*) { calls << "show"; };
        w.OnCloseQuery = [&](QObject*, bool&) { calls << "closequery"; };
        w.OnDestroy = [&](QObject*) { calls << "destroy"; };
    });
    window.show();
    window.close();
    EXPECT_EQ(calls, (QStringList{"show", "closequery"}));
    // The window's show handler restored before the kept one ran.
    EXPECT_EQ(log.Calls.value(0), "open read");

    delete window.Storage;
    calls.clear();
    log.Calls.clear();
    bool canClose = true;
    window.OnShow(&window);
    window.OnCloseQuery(&window, canClose);
    window.OnDestroy(&window);
    EXPECT_EQ(calls, (QStringList{"show", "closequery", "destroy"}));
    EXPECT_TRUE(log.Calls.isEmpty());
}

TEST(FormPlacement, KeptDestroyHandlerRunsAfterTheSave)
{
    StoreLog log;
    QStringList seen;
    {
        SmallWindow window(log, [&](SmallWindow& w) {
            w.OnDestroy = [&](QObject*) { seen = log.Writes(); };
        });
        window.show();
    }
    EXPECT_TRUE(seen.contains("Visible=1"));
}

TEST(FormPlacement, RefusedCloseLeavesTheStoreUntouched)
{
    StoreLog log;
    {
        SmallWindow window(log, [](SmallWindow& w) {
            w.OnCloseQuery = [](QObject*, bool& canClose) { canClose = false; };
        });
        window.show();
        log.Calls.clear();
        EXPECT_FALSE(window.close());
        EXPECT_TRUE(log.Calls.isEmpty());
        EXPECT_FALSE(window.Storage->Saved());
        // Not closed, so it still saves when it goes, as a visible window.
        log.Calls.clear();
    }
    EXPECT_TRUE(log.Writes().contains("Visible=1"));
}

TEST(FormPlacement, AFailedRestoreIsShownAndNothingIsSavedLater)
{
    ErrorBoxes boxes;
    StoreLog log;
    log.FailReadOf = "FormVersion";
    {
        SmallWindow window(log);
        QStringList shown;
        window.Storage->OnRestorePlacement = [&](QObject*) { shown << "restored"; };
        window.show();
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.Storage->Restored());
        EXPECT_TRUE(shown.isEmpty());
        EXPECT_EQ(window.Field->Text(), "designed");
        EXPECT_EQ(log.Calls.last(), "close");
        log.Calls.clear();
        EXPECT_TRUE(window.close());
    }
    EXPECT_EQ(boxes.Texts, QStringList{"Invalid data type for 'FormVersion'"});
    EXPECT_TRUE(log.Calls.isEmpty());
}

TEST(FormPlacement, AnErrorInANamedValueKeepsWhatWasRead)
{
    ErrorBoxes boxes;
    StoreLog log;
    log.FailReadOf = "Extra";
    SmallWindow window(log);
    window.show();
    EXPECT_EQ(boxes.Texts, QStringList{"Invalid data type for 'Extra'"});
    EXPECT_EQ(window.Extra->Value(), "designed extra");
}

TEST(FormPlacement, AFailedSaveIsShownKeepsWhatWasWrittenAndIsTriedAgainAtDestroy)
{
    ErrorBoxes boxes;
    StoreLog log;
    log.FailWriteOf = "Visible";
    log.FailWrites = 1;
    {
        SmallWindow window(log);
        window.show();
        log.Calls.clear();
        EXPECT_TRUE(window.close());  // the error does not stop the close
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(window.Storage->Saved());
        EXPECT_EQ(log.Writes().value(0), "FormVersion=0");
        EXPECT_FALSE(log.Writes().contains("Extra=designed extra"));
        EXPECT_EQ(log.Calls.last(), "close");
        log.Calls.clear();
    }
    EXPECT_EQ(boxes.Texts, QStringList{"Failed to set data for 'Visible'"});
    EXPECT_TRUE(log.Writes().contains("Visible=1"));
    EXPECT_TRUE(log.Writes().contains("Extra=designed extra"));
}

TEST(FormPlacement, ListenersAndEventsAreToldOfEachSaveAndRestore)
{
    StoreLog log;
    QStringList heard;
    TPlacementLink link;
    link.OnLoad = [&](QObject*) { heard << "link load"; };
    link.OnSave = [&](QObject*) { heard << "link save"; };
    {
        SmallWindow window(log);
        link.SetStorage(window.Storage);
        EXPECT_EQ(window.Storage->LinkCount(), 1);
        window.Storage->OnRestorePlacement = [&](QObject*) { heard << "restore"; };
        window.Storage->OnSavePlacement = [&](QObject*) { heard << "save"; };
        window.show();
        window.close();
        EXPECT_EQ(heard, (QStringList{"link load", "restore", "link save", "save"}));
    }
    EXPECT_EQ(link.Storage(), nullptr);
}

// Each limit goes into its field of the desktop's size query, which takes
// the outer window: the client gets the limit less the frame.
TEST(FormPlacement, SizeLimitsEngageOnlyWhenSetAndLimitTheOuterWindow)
{
    struct Row {
        const char* label;
        int minWidth, maxHeight;
        QSize maxSize;
        bool preventResize;
        bool engaged;
    };
    const Row rows[] = {
        {"none", 0, 0, QSize(0, 0), false, false},
        {"smallest width", 250, 0, QSize(0, 0), false, true},
        {"largest height", 0, 400, QSize(0, 0), false, true},
        {"maximized size", 0, 0, QSize(260, 180), false, true},
        {"no resizing", 0, 0, QSize(0, 0), true, true},
    };
    const QSize none(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    for (const Row& row : rows) {
        StoreLog log;
        SmallWindow window(log, [&](SmallWindow& w) {
            w.Storage->MinMaxInfo()->SetMinTrackWidth(row.minWidth);
            w.Storage->MinMaxInfo()->SetMaxTrackHeight(row.maxHeight);
            w.Storage->MinMaxInfo()->SetMaxSizeWidth(row.maxSize.width());
            w.Storage->MinMaxInfo()->SetMaxSizeHeight(row.maxSize.height());
            w.Storage->SetPreventResize(row.preventResize);
        });
        EXPECT_EQ(window.Storage->SizeHookEngaged(), row.engaged) << row.label;
        window.show();
        QCoreApplication::processEvents();
        const QMargins frame = desktop::KnownFrameMargins(&window);
        ASSERT_FALSE(frame.isNull()) << row.label;
        const QSize minimum(row.minWidth ? row.minWidth - frame.left() - frame.right() : 0, 0);
        const QSize maximum(QWIDGETSIZE_MAX, row.maxHeight ? row.maxHeight - frame.top() - frame.bottom()
                                                           : QWIDGETSIZE_MAX);
        EXPECT_EQ(window.minimumSize(), row.preventResize ? QSize(300, 200) : minimum) << row.label;
        EXPECT_EQ(window.maximumSize(), row.preventResize ? QSize(300, 200) : maximum) << row.label;
        window.showMaximized();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (!row.maxSize.isEmpty()) {
            EXPECT_EQ(window.frameGeometry().size(), row.maxSize) << row.label;
        }
        window.showNormal();
        // Clearing every limit gives the window its own sizes back.
        window.Storage->SetPreventResize(false);
        window.Storage->MinMaxInfo()->SetMinTrackWidth(0);
        window.Storage->MinMaxInfo()->SetMaxTrackHeight(0);
        window.Storage->MinMaxInfo()->SetMaxSizeWidth(0);
        window.Storage->MinMaxInfo()->SetMaxSizeHeight(0);
        EXPECT_FALSE(window.Storage->SizeHookEngaged()) << row.label;
        EXPECT_EQ(window.minimumSize(), QSize(0, 0)) << row.label;
        EXPECT_EQ(window.maximumSize(), none) << row.label;
    }
}

TEST(FormPlacement, ActiveControlIsWrittenAndBroughtBack)
{
    StoreLog log;
    TEdit* second = nullptr;
    {
        SmallWindow window(log, [&](SmallWindow& w) {
            w.Storage->SetOptions(TPlacementOptions(fpPosition | fpActiveControl));
            second = new TEdit(&w);
            second->setObjectName("Second");
        });
        window.show();
        second->setFocus();
        window.close();
    }
    EXPECT_TRUE(log.Writes().contains("ActiveControl=Second"));

    log.Calls.clear();
    SmallWindow window(log, [&](SmallWindow& w) {
        w.Storage->SetOptions(TPlacementOptions(fpPosition | fpActiveControl));
        second = new TEdit(&w);
        second->setObjectName("Second");
    });
    window.Field->setFocus();
    window.show();
    EXPECT_TRUE(log.Reads().contains("ActiveControl"));
    EXPECT_EQ(window.focusWidget(), second);
}

TEST(FormStorage, ControlValuesGoBetweenThePlacementAndTheNamedValues)
{
    StoreLog log;
    SmallWindow window(log, [](SmallWindow& w) { w.Storage->SetStoredProps({"Field.Text", "Nowhere.Text"}); });
    // Entries that name no component of the window are gone after loading.
    EXPECT_EQ(window.Storage->StoredProps(), QStringList{"Field.Text"});
    window.show();
    window.Field->SetText("  typed  ");
    log.Calls.clear();
    window.close();
    const QStringList writes = log.Writes();
    const qsizetype visible = writes.indexOf("Visible=0");
    const qsizetype field = writes.indexOf("Field_Text=typed");
    const qsizetype extra = writes.indexOf("Extra=designed extra");
    EXPECT_EQ(writes.value(0), "FormVersion=0");
    EXPECT_GT(visible, 0);
    EXPECT_GT(field, visible);
    EXPECT_GT(extra, field);
}

TEST(FormStorage, AControlThatLeavesTheWindowLeavesTheStoredListAtOnce)
{
    struct Row {
        const char* label;
        std::function<void(TEdit& field, QWidget& holder, QWidget& elsewhere)> change;
        bool stays;
    };
    const Row rows[] = {
        {"destroyed", [](TEdit& field, QWidget&, QWidget&) { delete &field; }, false},
        {"moved to another window", [](TEdit& field, QWidget&, QWidget& elsewhere) { field.setParent(&elsewhere); },
         false},
        {"taken out of every parent", [](TEdit& field, QWidget&, QWidget&) { field.setParent(nullptr); }, false},
        {"its panel moved to another window",
         [](TEdit& field, QWidget& holder, QWidget& elsewhere) {
             field.setParent(&holder);
             holder.setParent(&elsewhere);
         },
         false},
        {"moved within the window", [](TEdit& field, QWidget& holder, QWidget&) { field.setParent(&holder); }, true},
    };
    for (const Row& row : rows) {
        StoreLog log;
        QWidget elsewhere;
        TPanel* holder = nullptr;
        SmallWindow window(log, [&](SmallWindow& w) {
            holder = new TPanel(&w);
            holder->setObjectName("Holder");
            w.Storage->SetStoredProps({"Field.Text"});
        });
        const QPointer<TEdit> field = window.Field;
        row.change(*window.Field, *holder, elsewhere);
        EXPECT_EQ(window.Storage->StoredProps(), row.stays ? QStringList{"Field.Text"} : QStringList()) << row.label;
        window.show();
        window.close();
        EXPECT_EQ(log.Writes().contains("Field_Text=designed"), row.stays) << row.label;
        if (field && !field->parent())
            delete field.data();
    }
}

// A component that is no widget is seen leaving once the event loop runs;
// one bound after loading is watched as well.
TEST(FormStorage, ANonVisualOrLaterComponentThatLeavesIsDropped)
{
    StoreLog log;
    QObject elsewhere;
    SmallWindow window(log, [](SmallWindow& w) {
        auto* marker = new TWinXP(&w);
        marker->setObjectName("Marker");
        w.Storage->SetStoredProps({"Marker.objectName", "Field.Text"});
    });
    auto* later = new TEdit(&window);
    later->setObjectName("Later");
    window.Storage->SetStoredProps({"Marker.objectName", "Later.Text"});
    ASSERT_EQ(window.Storage->StoredProps(), QStringList({"Marker.objectName", "Later.Text"}));
    later->setParent(nullptr);
    EXPECT_EQ(window.Storage->StoredProps(), QStringList{"Marker.objectName"});
    delete later;
    window.FindComponent("Marker")->setParent(&elsewhere);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.Storage->StoredProps().isEmpty());
}

// Only a component read from the window's design is loading; one made by
// code afterwards binds its entries, takes its limits and fixes the
// maximized position at once.
TEST(FormStorage, AComponentMadeAfterLoadingIsNotLoading)
{
    StoreLog log;
    SmallWindow window(log, [](SmallWindow& w) { EXPECT_TRUE(w.Storage->IsLoading()); });
    auto* storage = new LoggingStorage(&window, log);
    EXPECT_FALSE(storage->IsLoading());
    storage->SetStoredProps({"Field.Text", "Nowhere.Text"});
    EXPECT_EQ(storage->StoredProps(), QStringList{"Field.Text"});
    storage->MinMaxInfo()->SetMinTrackWidth(120);
    EXPECT_TRUE(storage->SizeHookEngaged());
    storage->MinMaxInfo()->SetMinTrackWidth(0);
    window.winId();
    storage->RestoreSettings();
    EXPECT_EQ(window.MaximizedPosition(), QPoint(-4, -4));
}

TEST(FormStorage, ControlValuesGoThroughTheComponentsOwnTextAccess)
{
    StoreLog log;
    SmallWindow window(log, [](SmallWindow& w) { w.Storage->SetStoredProps({"Field.Text"}); });
    window.show();
    window.close();
    EXPECT_TRUE(log.Calls.contains("own read Field_Text"));
    EXPECT_TRUE(log.Calls.contains("own write Field_Text"));
    EXPECT_TRUE(log.Writes().contains("Field_Text=designed"));
}

TEST(FormStorage, ControlValuesAreReadBackAtShow)
{
    StoreLog log;
    log.Values["Setup/Field_Text"] = "stored";
    SmallWindow window(log, [](SmallWindow& w) { w.Storage->SetStoredProps({"Field.Text"}); });
    window.show();
    EXPECT_EQ(window.Field->Text(), "stored");
}

// The real store: the first show makes the key, the first close the values.
TEST(FormPlacement, RegistryStoreFileAppearsAtShowAndFillsAtClose)
{
    const QString key = QStringLiteral("Software\\filsok-test");
    testfiles::SettingsPlace place({key});
    {
        TForm window;
        auto* storage = new TFormStorage(&window);
        storage->SetIniFileName("Software\\filsok-test");
        storage->SetUseRegistry(true);
        storage->SetIniSection("Setup");
        window.FinishLoading();
        window.show();
        EXPECT_TRUE(place.Exists(key));
        EXPECT_TRUE(place.Open(key)->allKeys().isEmpty());
        window.close();
    }
    const auto settings = place.Open(key);
    EXPECT_EQ(settings->value("Setup/FormVersion").toString(), "0");
    EXPECT_EQ(settings->value("Setup/Visible").toString(), "0");
}

}  // namespace
