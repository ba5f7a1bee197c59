#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

// Every Qt Linguist file of the repository must be complete: no entry left unfinished or empty,
// and no text in the sources that its .ts file does not hold yet.

namespace {

const QString SourceDir = QStringLiteral(LUMKIT_SOURCE_DIR);

// The .ts files of the repository, outside build folders.
QStringList translationFiles()
{
    QStringList files;
    QDirIterator it(SourceDir, {QStringLiteral("*.ts")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = QDir(SourceDir).relativeFilePath(file);
        if (!relative.startsWith(QLatin1String("build")) && !relative.startsWith('.'))
            files.append(file);
    }
    return files;
}

// "context: source" of every entry that has no finished translation.
QStringList untranslated(const QString& file)
{
    QFile ts(file);
    if (!ts.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read %1").arg(file)};
    QStringList result;
    QXmlStreamReader xml(&ts);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            // Obsolete entries are no longer shown; everything else needs a finished text.
            if (type == QLatin1String("unfinished") ||
                (text.trimmed().isEmpty() && type != QLatin1String("obsolete") &&
                 type != QLatin1String("vanished")))
                result.append(context + QStringLiteral(": ") + source);
        }
    }
    if (xml.hasError())
        result.append(QStringLiteral("%1 is not valid: %2").arg(file, xml.errorString()));
    return result;
}

} // namespace

TEST(TranslationFiles, theKitAndTheWorkbenchHaveTheirs)
{
    const QStringList files = translationFiles();
    EXPECT_TRUE(files.contains(SourceDir + QStringLiteral("/lumkit/lum/translations/lumqt_de.ts")));
    EXPECT_TRUE(files.contains(SourceDir + QStringLiteral("/lumkit/lumlink/translations/lumlink_de.ts")));
}

TEST(TranslationFiles, everyEntryIsTranslated)
{
    for (const QString& file : translationFiles()) {
        const QStringList missing = untranslated(file);
        EXPECT_TRUE(missing.isEmpty()) << file.toStdString() << " has untranslated entries:\n  "
                                       << missing.join(QStringLiteral("\n  ")).toStdString();
    }
}

// lupdate, run over the sources beside translations/ into a copy of each file, must find no text
// that the file lacks.
TEST(TranslationFiles, everyTextOfTheSourcesIsInItsFile)
{
    const QStringList includeRoots = QStringLiteral(LUMKIT_LUPDATE_INCLUDE_ROOTS).split('|');
    for (const QString& file : translationFiles()) {
        const QFileInfo info(file);
        if (info.dir().dirName() != QLatin1String("translations"))
            continue;
        QTemporaryDir work;
        ASSERT_TRUE(work.isValid());
        const QString copy = work.filePath(info.fileName());
        ASSERT_TRUE(QFile::copy(file, copy));

        QStringList arguments{QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                              QStringLiteral("none")};
        for (const QString& root : includeRoots)
            arguments << QStringLiteral("-I") << root;
        QDir sources = info.dir();
        sources.cdUp();
        arguments << sources.absolutePath() << QStringLiteral("-ts") << copy;

        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(LUMKIT_LUPDATE), arguments);
        ASSERT_TRUE(lupdate.waitForFinished(90000)) << "lupdate did not finish for " << file.toStdString();
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

        const QStringList missing = untranslated(copy);
        EXPECT_TRUE(missing.isEmpty()) << file.toStdString() << " lacks texts of its sources:\n  "
                                       << missing.join(QStringLiteral("\n  ")).toStdString();
    }
}
