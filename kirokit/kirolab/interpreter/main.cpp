#include <kirogen/Singletons.h>
#include <kirolab/interpreter/Interpreter.h>
#include <kirolab/interpreter/StopSignals.h>
#include <kirolab/interpreter/UserProfile.h>
#include <kirolab/interpreter/WorkingDirectory.h>
#include <lum/cv/Cv.h>
#include <lum/navigation/Navigation.h>
#include <util/SingleInstanceGuard.h>

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>

#include <clocale>
#include <string>

using kirolab::interpreter::Interpreter;

namespace {

void cancelSimulation()
{
    Interpreter::singleton().cancelSimulation();
}

void tearDown()
{
    // The interpreter is about to go: a late Ctrl+C must not reach it.
    kirolab::interpreter::StopSignals::release();
    Interpreter::singleton().done();
    kirogen::singletons_done();
    Interpreter::singleton_destroy();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    util::SingleInstanceGuard guard(util::SingleInstanceGuard::keyForExecutable(app.applicationFilePath()));

    // Numbers are parsed and printed in the C locale, whatever the environment says.
    std::setlocale(LC_ALL, "C");

    if (guard.sendMessage(QStringLiteral("Hello"), 5000))
        return 1;

    const QString startDir = QDir::currentPath();
    qDebug().noquote() << "Initial working directory: " + startDir;
    const QString workingDir = kirolab::interpreter::workingDirectoryFor(app.applicationDirPath());
    if (!workingDir.isEmpty() && QDir(workingDir) != QDir::current()) {
        qDebug().noquote() << "New working directory: " + workingDir;
        QDir::setCurrent(workingDir);
    }

    Interpreter::singleton_create();
    Interpreter::singleton().setStartDirectory(QFile::encodeName(startDir).toStdString());
    if (!Interpreter::singleton().parseCommandLineArguments(argc, argv))
        return 1;

    kirogen::singletons_init(nullptr, "UTF-8");
    Interpreter::singleton().init();
    lum::cv::init();
    lum::navigation::init();

    std::string userDir;
    Interpreter::singleton().parseConfigFile(&userDir);
    if (!userDir.empty())
        kirolab::interpreter::initUserProfile(userDir);

    if (!Interpreter::singleton().loadSystem() || !Interpreter::singleton().openProject()) {
        tearDown();
        return 0;
    }

    kirolab::interpreter::StopSignals::install(cancelSimulation);
    Interpreter::singleton().simulate();
    tearDown();
    return 1;
}
