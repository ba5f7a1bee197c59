#include "LoopbackServer.h"
#include "PyFtpServer.h"

#include <tavview/uploader/FtpUpload.h>
#include <tavview/uploader/FtpView.h>
#include <tavview/uploader/RobotFtp.h>
#include <QDir>
#include <QFile>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using tavview::uploader::FtpUpload;
using tavview::uploader::FtpView;
using tavview::uploader::robotFtpUrl;
using tavview::uploader::withoutPasswords;

namespace {

// Bounds for a failure only: a working transfer on loopback takes a fraction of these.
constexpr int transferLimitMs = 30000;

const QString ServerPassword = QStringLiteral("Server-Pa55:word");

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return bytes;
}

QStringList names(QTreeWidget* tree)
{
    QStringList result;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        result.append(tree->topLevelItem(i)->text(0));
    return result;
}

// Selects the entry and presses Return, as a user at the keyboard does.
void activate(QTreeWidget* tree, const QString& name)
{
    const auto items = tree->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    tree->setCurrentItem(items.first());
    QTest::keyClick(tree, Qt::Key_Return);
}

class FtpTransfer : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().setValue(QStringLiteral("telnet/password"), ServerPassword);
        ASSERT_TRUE(server.start()) << server.error().toStdString();
    }
    void TearDown() override { QSettings().remove(QStringLiteral("telnet/password")); }

    PyFtpServer server{QStringLiteral("tavik"), ServerPassword};
};

} // namespace

// Store a project in a robot folder, then find it in the folder view and open it: the bytes
// arrive whole, the view shows folders and project files only, and clicks name the right paths.
TEST_F(FtpTransfer, uploadedProjectShowsInTheFolderViewAndOpensFromThere)
{
    const QString local = server.robotHome();
    ASSERT_TRUE(QDir().mkpath(local + "/programs/deeper"));
    QFile notes(local + "/programs/notes.txt");
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a project");
    notes.close();

    const QByteArray project = randomBytes(300 * 1024);
    FtpUpload upload;
    QSignalSpy succeeded(&upload, &FtpUpload::succeeded);
    QSignalSpy failed(&upload, &FtpUpload::failed);
    qint64 lastSent = 0;
    qint64 lastTotal = 0;
    QObject::connect(&upload, &FtpUpload::progress, [&](qint64 sent, qint64 total) {
        lastSent = sent;
        lastTotal = total;
    });
    QNetworkReply* reply = upload.start(
        robotFtpUrl(server.address(), QStringLiteral("/home/tavik/programs/my project.tkp2")), project);
    ASSERT_NE(reply, nullptr);
    ASSERT_TRUE(succeeded.wait(transferLimitMs)) << failed.value(0).value(0).toString().toStdString();
    EXPECT_EQ(succeeded.at(0).at(0).toString(), QStringLiteral("my project.tkp2"));
    EXPECT_TRUE(failed.isEmpty());
    EXPECT_EQ(lastSent, project.size());
    EXPECT_EQ(lastTotal, project.size());
    QFile stored(local + "/programs/my project.tkp2");
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stored.readAll() == project);

    FtpView view;
    EXPECT_EQ(view.objectName(), QStringLiteral("ftpView"));
    auto* tree = view.findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    QSignalSpy listed(&view, &FtpView::listed);
    QSignalSpy listingFailed(&view, &FtpView::listingFailed);
    QSignalSpy dirClicked(&view, &FtpView::dirClicked);
    QSignalSpy programClicked(&view, &FtpView::programClicked);

    view.list(robotFtpUrl(server.address(), QStringLiteral("/home/tavik/programs")));
    ASSERT_TRUE(listed.wait(transferLimitMs)) << listingFailed.value(0).value(0).toString().toStdString();
    EXPECT_EQ(names(tree), (QStringList{"..", "deeper", "my project.tkp2"}));
    const auto projectItem = tree->findItems(QStringLiteral("my project.tkp2"), Qt::MatchExactly).value(0);
    ASSERT_NE(projectItem, nullptr);
    EXPECT_FALSE(projectItem->text(1).isEmpty()) << "size shown";
    EXPECT_FALSE(projectItem->text(2).isEmpty()) << "date shown";
    EXPECT_FALSE(projectItem->icon(0).isNull());

    activate(tree, QStringLiteral("my project.tkp2"));
    ASSERT_EQ(programClicked.count(), 1);
    const QUrl programUrl = programClicked.at(0).at(0).toUrl();
    EXPECT_EQ(programUrl.path(QUrl::FullyDecoded), QStringLiteral("/home/tavik/programs/my project.tkp2"));
    EXPECT_EQ(programUrl.port(), server.port());

    activate(tree, QStringLiteral("deeper"));
    activate(tree, QStringLiteral(".."));
    ASSERT_EQ(dirClicked.count(), 2);
    EXPECT_EQ(dirClicked.at(0).at(0).toUrl().path(QUrl::FullyDecoded),
              QStringLiteral("/home/tavik/programs/deeper/"));
    EXPECT_EQ(dirClicked.at(1).at(0).toUrl().path(QUrl::FullyDecoded), QStringLiteral("/home/tavik/"));

    // The robot's home folder is the top: no way up from there.
    view.list(dirClicked.at(1).at(0).toUrl());
    ASSERT_TRUE(listed.wait(transferLimitMs));
    EXPECT_EQ(names(tree), (QStringList{"programs"}));
}

// A login the server refuses fails both ways with a reason, and the reason never shows the
// password that was tried.
TEST_F(FtpTransfer, refusedLoginIsReportedWithoutThePassword)
{
    const QString wrong = QStringLiteral("Wr0ng-Secret");
    QSettings().setValue(QStringLiteral("telnet/password"), wrong);

    FtpUpload upload;
    QSignalSpy succeeded(&upload, &FtpUpload::succeeded);
    QSignalSpy failed(&upload, &FtpUpload::failed);
    upload.start(robotFtpUrl(server.address(), QStringLiteral("/home/tavik/a.tkp2")), "bytes");
    ASSERT_TRUE(failed.wait(transferLimitMs));
    const QString uploadReason = failed.at(0).at(0).toString();
    EXPECT_FALSE(uploadReason.isEmpty());
    EXPECT_FALSE(uploadReason.contains(wrong)) << uploadReason.toStdString();
    EXPECT_TRUE(succeeded.isEmpty());
    EXPECT_FALSE(QFile::exists(server.robotHome() + "/a.tkp2"));

    FtpView view;
    QSignalSpy listed(&view, &FtpView::listed);
    QSignalSpy listingFailed(&view, &FtpView::listingFailed);
    view.list(robotFtpUrl(server.address(), QStringLiteral("/home/tavik/")));
    ASSERT_TRUE(listingFailed.wait(transferLimitMs));
    const QString listReason = listingFailed.at(0).at(0).toString();
    EXPECT_TRUE(listReason.contains(QLatin1String("530")) || listReason.contains(QLatin1String("denied")))
        << listReason.toStdString();
    EXPECT_FALSE(listReason.contains(wrong)) << listReason.toStdString();
    EXPECT_TRUE(listed.isEmpty());
}

// Qt's text for a refused store holds the whole target URL, password included: the reason
// keeps the server's words and the URL without the password.
TEST_F(FtpTransfer, refusedStoreNamesTheTargetWithoutThePassword)
{
    FtpUpload upload;
    QSignalSpy succeeded(&upload, &FtpUpload::succeeded);
    QSignalSpy failed(&upload, &FtpUpload::failed);
    upload.start(robotFtpUrl(server.address(), QStringLiteral("/home/tavik/missing/a.tkp2")), "bytes");
    ASSERT_TRUE(failed.wait(transferLimitMs));
    const QString reason = failed.at(0).at(0).toString();
    EXPECT_TRUE(
        reason.contains(QStringLiteral("ftp://tavik@%1/home/tavik/missing/a.tkp2").arg(server.address())))
        << reason.toStdString();
    EXPECT_TRUE(reason.contains(QLatin1String("No such file or directory"))) << reason.toStdString();
    EXPECT_FALSE(reason.contains(ServerPassword)) << reason.toStdString();
    EXPECT_FALSE(reason.contains(QString::fromLatin1(QUrl::toPercentEncoding(ServerPassword))))
        << reason.toStdString();
    EXPECT_TRUE(succeeded.isEmpty());
}

// A server that takes the connection and never answers: the upload gives up after its stall
// time, the listing after its time-out, each with a reason.
TEST(FtpStall, silentServerEndsUploadAndListingWithAReason)
{
    testsupport::LoopbackServer silent;
    const QString address = QString::fromStdString(silent.address());

    FtpUpload upload;
    upload.setStallTimeout(300);
    QSignalSpy succeeded(&upload, &FtpUpload::succeeded);
    QSignalSpy failed(&upload, &FtpUpload::failed);
    upload.start(robotFtpUrl(address, QStringLiteral("/home/tavik/a.tkp2")), "bytes");
    ASSERT_TRUE(failed.wait(transferLimitMs));
    EXPECT_EQ(failed.at(0).at(0).toString(), QStringLiteral("No answer from 127.0.0.1 for 0.3 s"));
    EXPECT_TRUE(succeeded.isEmpty());
    EXPECT_FALSE(upload.isRunning());

    FtpView view;
    view.setTimeout(500);
    QSignalSpy listingFailed(&view, &FtpView::listingFailed);
    view.list(robotFtpUrl(address, QStringLiteral("/home/tavik/")));
    ASSERT_TRUE(listingFailed.wait(transferLimitMs));
    EXPECT_FALSE(listingFailed.at(0).at(0).toString().isEmpty());
}

TEST(RobotFtp, urlCarriesTheRobotLoginAndPasswordsAreRemovedFromTexts)
{
    QSettings().setValue(QStringLiteral("telnet/password"), QStringLiteral("p@ss/wörd"));
    QSettings().setValue(QStringLiteral("ftp/port"), 2121);
    const QUrl url = robotFtpUrl(QStringLiteral("10.0.0.5"), QStringLiteral("/home/tavik/a b.tkp2"));
    const QUrl withPort = robotFtpUrl(QStringLiteral("10.0.0.5:3021"), QStringLiteral("/home/tavik/"));
    const QString message = QStringLiteral("Error transferring %1 - server replied: Failed")
                                .arg(url.toString(QUrl::FullyEncoded));
    const QString cleaned = withoutPasswords(message);
    const QString decodedClean = withoutPasswords(QStringLiteral("at ") + url.toString());
    QSettings().remove(QStringLiteral("telnet/password"));
    QSettings().remove(QStringLiteral("ftp/port"));

    EXPECT_EQ(url.userName(), QStringLiteral("tavik"));
    EXPECT_EQ(url.password(QUrl::FullyDecoded), QStringLiteral("p@ss/wörd"));
    EXPECT_EQ(url.host(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(url.port(), 2121);
    EXPECT_EQ(url.path(QUrl::FullyDecoded), QStringLiteral("/home/tavik/a b.tkp2"));
    EXPECT_EQ(withPort.port(), 3021);

    EXPECT_EQ(cleaned, QStringLiteral("Error transferring ftp://tavik@10.0.0.5:2121/home/tavik/a%20b.tkp2 - "
                                      "server replied: Failed"));
    EXPECT_FALSE(decodedClean.contains(QLatin1String("wörd"))) << decodedClean.toStdString();
    EXPECT_FALSE(decodedClean.contains(QLatin1String("p%40ss"))) << decodedClean.toStdString();
}
