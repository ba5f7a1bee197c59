#include <kirolab/interpreter/UserProfile.h>

#include <util/UserProfilePath.h>

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <iostream>

namespace kirolab::interpreter {

namespace {

void warnSkipped(const QString& path, const char* reason)
{
    std::cerr << "Warning: skipping " << path.toLocal8Bit().constData() << ": " << reason << std::endl;
}

// ancestors holds the canonical paths being copied, so a link back up the tree ends the walk.
void copyTree(QDir& src, QDir& dst, QSet<QString>& ancestors)
{
    const QString here = src.canonicalPath();
    ancestors.insert(here);

    const QStringList dirs = src.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& name : dirs) {
        const QFileInfo info(src.filePath(name));
        if (ancestors.contains(info.canonicalFilePath())) {
            warnSkipped(info.filePath(), "it links back to a folder being copied");
            continue;
        }
        if (!info.isReadable() || !info.isExecutable() || !src.cd(name)) {
            warnSkipped(info.filePath(), "the folder cannot be entered");
            continue;
        }
        if (!dst.exists(name) && !dst.mkdir(name)) {
            warnSkipped(dst.filePath(name), "the folder cannot be created");
            src.cdUp();
            continue;
        }
        if (!dst.cd(name)) {
            warnSkipped(dst.filePath(name), "the folder cannot be entered");
            src.cdUp();
            continue;
        }
        copyTree(src, dst, ancestors);
        src.cdUp();
        dst.cdUp();
    }

    const QStringList files = src.entryList(QDir::Files, QDir::NoSort);
    for (const QString& name : files) {
        if (!dst.exists(name))
            QFile::copy(src.filePath(name), dst.filePath(name));
    }

    ancestors.remove(here);
}

} // namespace

void copyRec(QDir& src, QDir& dst)
{
    QSet<QString> ancestors;
    copyTree(src, dst, ancestors);
}

void initUserProfile(const std::string& userDir)
{
    QDir home = QDir::home();
    const QString profile = util::userProfilePath();
    if (!home.exists(profile) && !home.mkpath(profile))
        return;

    QDir src(QString::fromStdString(userDir));
    QDir dst(home.filePath(profile));
    if (!src.exists()) {
        warnSkipped(src.path(), "the user folder does not exist");
        return;
    }
    if (!QFileInfo(dst.path()).isDir()) {
        warnSkipped(dst.path(), "the profile folder cannot be entered");
        return;
    }
    copyRec(src, dst);
}

} // namespace kirolab::interpreter
