#include <util/PluginLoader.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using util::PluginLoader;

namespace {

const QString PluginName = QStringLiteral("tavview_test_plugin");

QString builtPlugin()
{
    return QDir(QStringLiteral(TEST_PLUGIN_DIR)).filePath(QStringLiteral("lib%1.so").arg(PluginName));
}

} // namespace

TEST(PluginLoader, findsAndLoadsAPluginFromASearchPath)
{
    ASSERT_TRUE(QFileInfo(builtPlugin()).isFile()) << builtPlugin().toStdString();
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    PluginLoader& loader = PluginLoader::singleton();
    loader.addGlobalSearchPath(elsewhere.path());
    loader.addGlobalSearchPath(QStringLiteral(TEST_PLUGIN_DIR));

    EXPECT_EQ(loader.find(PluginName), QFileInfo(builtPlugin()).absoluteFilePath());

    QString error;
    const auto library = loader.load(PluginName, &error);
    ASSERT_NE(library, nullptr) << error.toStdString();
    EXPECT_TRUE(library->isLoaded());
    using Answer = int (*)();
    const auto answer = reinterpret_cast<Answer>(library->resolve("tavviewTestPluginAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
}

TEST(PluginLoader, earlierSearchPathsWinAndBothFileNamesAreFound)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    ASSERT_TRUE(QFile::copy(builtPlugin(), QDir(first.path()).filePath("libshadowed.so")));
    ASSERT_TRUE(QFile::copy(builtPlugin(), QDir(second.path()).filePath("libshadowed.so")));
    ASSERT_TRUE(QFile::copy(builtPlugin(), QDir(second.path()).filePath("bare.so")));

    PluginLoader& loader = PluginLoader::singleton();
    loader.addGlobalSearchPath(first.path());
    loader.addGlobalSearchPath(second.path());
    loader.addGlobalSearchPath(first.path());
    EXPECT_EQ(loader.globalSearchPaths().indexOf(first.path()),
              loader.globalSearchPaths().lastIndexOf(first.path()));
    EXPECT_LT(loader.globalSearchPaths().indexOf(first.path()),
              loader.globalSearchPaths().indexOf(second.path()));

    EXPECT_EQ(loader.find("shadowed"), QDir(first.path()).filePath("libshadowed.so"));
    EXPECT_EQ(loader.find("bare"), QDir(second.path()).filePath("bare.so"));
}

TEST(PluginLoader, aMissingOrBrokenPluginGivesAnError)
{
    PluginLoader& loader = PluginLoader::singleton();
    QString error;
    EXPECT_EQ(loader.find("no_such_plugin"), QString());
    EXPECT_EQ(loader.load("no_such_plugin", &error), nullptr);
    EXPECT_TRUE(error.contains("no_such_plugin")) << error.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile broken(QDir(dir.path()).filePath("libbroken.so"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a shared object");
    broken.close();
    loader.addGlobalSearchPath(dir.path());

    error.clear();
    EXPECT_EQ(loader.load("broken", &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}
