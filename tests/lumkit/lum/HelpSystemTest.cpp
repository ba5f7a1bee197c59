#include <lum/qt/translation/Manager.h>
#include <lumlink/HelpSystem.h>
#include <lumlink/HelpWindow.h>
#include <QAction>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <algorithm>

using lum::qt::translation::Manager;
using lumlink::HelpSystem;

namespace {

const QString HelpDir = QStringLiteral(LUMKIT_SOURCE_DIR "/dist/help");
const QStringList Topics{"index", "upload_project", "editors", "simulation", "protection"};

class HelpSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        HelpSystem::singleton().setHelpDirectory(HelpDir);
        Manager::singleton().setCatalogueDirectory(QStringLiteral(LUMKIT_TRANSLATIONS_DIR));
        Manager::singleton().addCatalogue(QStringLiteral("lumlink"));
        Manager::singleton().setLanguage(QStringLiteral("en"));
    }
    void TearDown() override { Manager::singleton().setLanguage(QStringLiteral("en")); }
};

QString fileOf(const QString& topic)
{
    return HelpSystem::singleton().topicUrl(topic).toLocalFile();
}

} // namespace

TEST_F(HelpSystemTest, topicsResolveInTheUsersLanguage)
{
    for (const QString& topic : Topics)
        EXPECT_EQ(fileOf(topic), HelpDir + '/' + topic + ".html") << topic.toStdString();
    Manager::singleton().setLanguage(QStringLiteral("de"));
    for (const QString& topic : Topics)
        EXPECT_EQ(fileOf(topic), HelpDir + "/de/" + topic + ".html") << topic.toStdString();
}

TEST_F(HelpSystemTest, unknownOrUnsafeTopicsOpenTheContents)
{
    for (const QString topic : {"no_such_topic", "", "../help/editors", "/etc/passwd", "de/editors"})
        EXPECT_EQ(fileOf(topic), HelpDir + "/index.html") << topic.toStdString();
}

TEST_F(HelpSystemTest, aMissingGermanPageFallsBackToEnglish)
{
    QTemporaryDir help;
    ASSERT_TRUE(help.isValid());
    ASSERT_TRUE(QDir(help.path()).mkdir(QStringLiteral("de")));
    ASSERT_TRUE(QFile::copy(HelpDir + "/index.html", help.filePath("index.html")));
    ASSERT_TRUE(QFile::copy(HelpDir + "/editors.html", help.filePath("editors.html")));
    ASSERT_TRUE(QFile::copy(HelpDir + "/de/index.html", help.filePath("de/index.html")));
    HelpSystem::singleton().setHelpDirectory(help.path());
    Manager::singleton().setLanguage(QStringLiteral("de"));

    EXPECT_EQ(fileOf(QStringLiteral("editors")), help.filePath("editors.html"));
    EXPECT_EQ(fileOf(QStringLiteral("simulation")), help.filePath("de/index.html"));
}

// Every page of both languages links only to pages that exist, and each language has the same pages.
TEST_F(HelpSystemTest, everyPageLinksToExistingPages)
{
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    const QStringList english = QDir(HelpDir).entryList({QStringLiteral("*.html")}, QDir::Files);
    const QStringList german = QDir(HelpDir + "/de").entryList({QStringLiteral("*.html")}, QDir::Files);
    EXPECT_EQ(english, german);
    for (const QString& topic : Topics)
        EXPECT_TRUE(english.contains(topic + ".html")) << topic.toStdString();

    for (const QString& folder : {HelpDir, HelpDir + "/de"}) {
        for (const QString& page : QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files)) {
            QFile file(folder + '/' + page);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            auto matches = link.globalMatch(html);
            while (matches.hasNext()) {
                const QString target = matches.next().captured(1);
                EXPECT_TRUE(QFileInfo::exists(folder + '/' + target))
                    << (folder + '/' + page).toStdString() << " links to missing " << target.toStdString();
            }
        }
    }
}

TEST_F(HelpSystemTest, actionsShowTheirTopicWithHistoryAndSearch)
{
    QAction* simulation = HelpSystem::singleton().helpAction(QStringLiteral("simulation"));
    EXPECT_EQ(HelpSystem::singleton().helpAction(QStringLiteral("simulation")), simulation);
    simulation->trigger();
    lumlink::HelpWindow* window = HelpSystem::singleton().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentPage().toLocalFile(), HelpDir + "/simulation.html");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Help: Simulation"));

    // Search in the page, wrapping at the end; a text that is not there leaves the selection.
    ASSERT_TRUE(window->find(QStringLiteral("Suspend")));
    auto position = [window] { return window->browser()->textCursor().selectionStart(); };
    const int first = position();
    QList<int> occurrences{first};
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(window->find(QStringLiteral("suspend")));
        if (position() == first)
            break;
        occurrences.append(position());
    }
    EXPECT_EQ(position(), first) << "the search never wrapped round to the top";
    EXPECT_GE(occurrences.size(), 3);
    EXPECT_TRUE(std::is_sorted(occurrences.begin(), occurrences.end()));
    ASSERT_TRUE(window->find(QStringLiteral("suspend"), true));
    EXPECT_EQ(position(), occurrences.last()) << "searching upwards did not wrap round to the end";
    EXPECT_FALSE(window->find(QStringLiteral("no such words here")));
    EXPECT_EQ(window->browser()->textCursor().selectedText().toLower(), QStringLiteral("suspend"));

    HelpSystem::singleton().helpAction(QStringLiteral("protection"))->trigger();
    EXPECT_EQ(window->currentPage().toLocalFile(), HelpDir + "/protection.html");
    window->browser()->backward();
    EXPECT_EQ(window->currentPage().toLocalFile(), HelpDir + "/simulation.html");
    window->browser()->forward();
    EXPECT_EQ(window->currentPage().toLocalFile(), HelpDir + "/protection.html");

    // Switching the language shows the same topic in German.
    Manager::singleton().setLanguage(QStringLiteral("de"));
    EXPECT_EQ(window->currentPage().toLocalFile(), HelpDir + "/de/protection.html");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Hilfe: Ein Projekt schützen"));
}
