#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <robot/ArenaReader.h>
#include <robot/ControllerLink.h>
#include <robot/Robot.h>
#include <robot/Simulation.h>
#include <robot/window/RobotWindow.h>
#include <cstring>
#include <memory>

namespace {

// Exit statuses besides 0.
constexpr int BadCommandLine = 1;
constexpr int BadArena = 2;
constexpr int CannotListen = 3;

// The program's own texts, translated in the context "Main".
struct Main
{
    Q_DECLARE_TR_FUNCTIONS(Main)
};

bool wantsHeadless(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Headless runs need no display, so the application object is chosen before parsing.
    const bool headless = wantsHeadless(argc, argv);
    const std::unique_ptr<QCoreApplication> application(headless ? new QCoreApplication(argc, argv)
                                                                 : new QApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("tavview_robot"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVVIEW_VERSION));

    // The data tree lies beside bin/, in the build tree as in an installation.
    const QDir dataDir(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("tavview_robot"), QStringLiteral("_"),
                        dataDir.filePath(QStringLiteral("translations"))))
        QCoreApplication::installTranslator(&translator);

    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        Main::tr("A simulated robot that projects drive over the robot's own link."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption hostOption(QStringLiteral("host"),
                                        Main::tr("Address to listen on (default 127.0.0.1)."),
                                        Main::tr("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        Main::tr("Port to listen on (default 7171; 0 picks a free one)."),
                                        Main::tr("port"), QStringLiteral("7171"));
    const QCommandLineOption arenaOption(
        QStringLiteral("arena"), Main::tr("Arena file (default arenas/room.arena)."), Main::tr("file"),
        dataDir.filePath(QStringLiteral("arenas/room.arena")));
    const QCommandLineOption headlessOption(QStringLiteral("headless"), Main::tr("Run without a window."));
    parser.addOptions({hostOption, portOption, arenaOption, headlessOption});
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << Qt::endl;
        return BadCommandLine;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        err << Main::tr("Unexpected argument: %1").arg(parser.positionalArguments().front()) << Qt::endl;
        return BadCommandLine;
    }
    const QHostAddress host(parser.value(hostOption));
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (host.isNull()) {
        err << Main::tr("Not an address: %1").arg(parser.value(hostOption)) << Qt::endl;
        return BadCommandLine;
    }
    if (!portOk || port > 65535) {
        err << Main::tr("Not a port: %1").arg(parser.value(portOption)) << Qt::endl;
        return BadCommandLine;
    }

    const QString arenaPath = QDir::cleanPath(parser.value(arenaOption));
    robot::Arena arena;
    QString error;
    if (!robot::ArenaReader(robot::Robot::radius).read(arenaPath, &arena, &error)) {
        err << error << Qt::endl;
        return BadArena;
    }

    robot::ControllerLink link;
    if (!link.listen(host, static_cast<quint16>(port))) {
        err << Main::tr("Cannot listen on %1:%2: %3").arg(host.toString()).arg(port).arg(link.errorString())
            << Qt::endl;
        return CannotListen;
    }
    robot::Simulation simulation(arena, &link);
    QObject::connect(&simulation, &robot::Simulation::message,
                     [&out](const QString& text) { out << text << Qt::endl; });

    std::unique_ptr<robot::window::RobotWindow> window;
    if (!headless) {
        window = std::make_unique<robot::window::RobotWindow>(&simulation, arenaPath);
        window->resize(1100, 720);
        window->show();
    }
    const QString listening = Main::tr("Listening on %1:%2, arena %3, %4.")
                                  .arg(host.toString())
                                  .arg(link.port())
                                  .arg(arenaPath, robot::Simulation::describe(arena.start()));
    out << listening << Qt::endl;
    if (window)
        window->appendMessage(listening);
    simulation.start();
    return application->exec();
}
