// SPDX-License-Identifier: GPL-3.0-or-later
// The application frame: the error box of a running program, the start-up
// failure box with exit status 1, and the rules of the visual-style marker.
#include "app/Application.h"
#include "toolkit/TWinXP.h"
#include "toolkit/ErrorBox.h"
#include "toolkit/Exceptions.h"
#include "toolkit/TButton.h"
#include "toolkit/TForm.h"

#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

QApplication* CreateTestApplication(int& argc, char** argv)
{
    return new TApplication(argc, argv);
}

namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

struct RecordedBoxes {
    RecordedBoxes()
    {
        toolkit::SetMessageBoxHook([this](const QString& caption, const QString& text) {
            boxes.emplace_back(caption.toStdString(), text.toStdString());
        });
    }
    ~RecordedBoxes() { toolkit::SetMessageBoxHook({}); }
    std::vector<std::pair<std::string, std::string>> boxes;
};

TEST(ErrorBox, AnErrorInAHandlerIsShownOnceAndTheProgramGoesOn)
{
    RecordedBoxes recorded;
    TForm form;
    auto* button = new TButton(&form);
    button->setGeometry(0, 0, 80, 25);
    int clicks = 0;
    button->OnClick = [&](QObject*) {
        ++clicks;
        if (clicks == 1)
            throw EFOpenError(CannotOpenFileMessage(QStringLiteral("/tmp/saknas.asp")));
    };
    form.show();
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);

    EXPECT_EQ(clicks, 2);
    const std::string title = toolkit::ApplicationTitle().toStdString();
    EXPECT_THAT(recorded.boxes, ElementsAre(Pair(title, "Cannot open file /tmp/saknas.asp.")));
}

TEST(ErrorBox, FullStopRule)
{
    struct Row {
        const char* message;
        const char* shown;
    } rows[] = {
        {"Stream write error", "Stream write error."},
        {"I/O error 28", "I/O error 28."},
        {"Klart.", "Klart."},
        {"Fel (kod 5)", "Fel (kod 5)"},
        {"Invalid data type for 'Flags'", "Invalid data type for 'Flags'"},
        {"Control parent must be a form!", "Control parent must be a form!"},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(toolkit::ErrorBoxText(QString::fromUtf8(row.message)).toStdString(), row.shown) << row.message;
}

TEST(ErrorBox, ApplicationTitleComesFromTheExecutableName)
{
    // This test program is test_app: cut before the first dot, the rest lowered.
    EXPECT_EQ(toolkit::ApplicationTitle().toStdString(), "test_app");
}

TEST(StartUp, AFailureWhileTheWindowIsCreatedShowsTheBoxAndEndsWithStatusOne)
{
    RecordedBoxes recorded;
    const int status = RunMainForm([]() -> TForm* {
        auto form = std::make_unique<TForm>();
        new TWinXP(form.get());
        new TWinXP(form.get());
        return form.release();
    });
    EXPECT_EQ(status, 1);
    ASSERT_EQ(recorded.boxes.size(), 1u);
    EXPECT_EQ(recorded.boxes[0].first, "Application Error");
    // QRegularExpression: GoogleTest's own regular expressions on Windows
    // know no character classes.
    const QRegularExpression expected(QRegularExpression::anchoredPattern(
        "Exception EComponentError in module [^ ]+ at [0-9A-F]{8}\\.\r\n"
        "Only one instance of TWinXP allowed on form\\.\r\n"));
    EXPECT_TRUE(expected.match(QString::fromStdString(recorded.boxes[0].second)).hasMatch()) << recorded.boxes[0].second;
}

TEST(StartUp, ANormalCloseEndsWithStatusZero)
{
    RecordedBoxes recorded;
    TForm* created = nullptr;
    QTimer::singleShot(0, [&] { created->close(); });
    const int status = RunMainForm([&] { return created = new TForm; });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(recorded.boxes.empty());
}

TEST(WinXP, OneOnAFormIsAllowedASecondOrOneWithoutAFormIsNot)
{
    TForm form;
    EXPECT_NO_THROW(new TWinXP(&form));
    try {
        new TWinXP(&form);
        ADD_FAILURE() << "a second marker was allowed";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message().toStdString(), "Only one instance of TWinXP allowed on form");
    }
    QObject notAForm;
    try {
        new TWinXP(&notAForm);
        ADD_FAILURE() << "a marker without a form was allowed";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message().toStdString(), "Control parent must be a form!");
    }
    EXPECT_THROW(new TWinXP(nullptr), EComponentError);
    // The refused markers are gone again: the form still holds one.
    EXPECT_EQ(form.findChildren<TWinXP*>().size(), 1);
}

}  // namespace
