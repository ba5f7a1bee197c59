#include <ConfinedXmlFiles.h>

#include <util/XmlString.h>
#include <FuzzCheck.h>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLFileMgr.hpp>
#include <xercesc/util/XMLNetAccessor.hpp>
#include <xercesc/util/XMLURL.hpp>

#include <algorithm>
#include <filesystem>

namespace fuzz {

namespace {

using namespace xercesc;
namespace fs = std::filesystem;

// Checks every opened path and hands the work to the parser's own file manager.
class ConfinedFileMgr : public XMLFileMgr
{
public:
    ConfinedFileMgr(XMLFileMgr* files, std::vector<fs::path> allowedDirs)
        : _files(files), _allowedDirs(std::move(allowedDirs))
    {
    }

    FileHandle fileOpen(const XMLCh* path, bool toWrite, MemoryManager* const manager) override
    {
        check(util::XmlString(path).toStdString(), toWrite);
        return _files->fileOpen(path, toWrite, manager);
    }
    FileHandle fileOpen(const char* path, bool toWrite, MemoryManager* const manager) override
    {
        check(path, toWrite);
        return _files->fileOpen(path, toWrite, manager);
    }
    FileHandle openStdIn(MemoryManager* const) override
    {
        fail(__FILE__, __LINE__, "the parser read standard input");
    }

    void fileClose(FileHandle f, MemoryManager* const manager) override { _files->fileClose(f, manager); }
    void fileReset(FileHandle f, MemoryManager* const manager) override { _files->fileReset(f, manager); }
    XMLFilePos curPos(FileHandle f, MemoryManager* const manager) override
    {
        return _files->curPos(f, manager);
    }
    XMLFilePos fileSize(FileHandle f, MemoryManager* const manager) override
    {
        return _files->fileSize(f, manager);
    }
    XMLSize_t fileRead(FileHandle f, XMLSize_t count, XMLByte* buffer, MemoryManager* const manager) override
    {
        return _files->fileRead(f, count, buffer, manager);
    }
    void fileWrite(FileHandle f, XMLSize_t count, const XMLByte* buffer,
                   MemoryManager* const manager) override
    {
        _files->fileWrite(f, count, buffer, manager);
    }
    XMLCh* getFullPath(const XMLCh* const path, MemoryManager* const manager) override
    {
        return _files->getFullPath(path, manager);
    }
    XMLCh* getCurrentDirectory(MemoryManager* const manager) override
    {
        return _files->getCurrentDirectory(manager);
    }
    bool isRelative(const XMLCh* const path, MemoryManager* const manager) override
    {
        return _files->isRelative(path, manager);
    }

private:
    void check(const std::string& path, bool toWrite) const
    {
        FUZZ_CHECK(!toWrite, "the parser opened \"" + path + "\" for writing");
        std::error_code error;
        const fs::path file = fs::weakly_canonical(path, error);
        FUZZ_CHECK(!error, "the parser opened \"" + path + "\", which does not resolve");
        for (const fs::path& dir : _allowedDirs) {
            const auto [end, unused] = std::mismatch(dir.begin(), dir.end(), file.begin(), file.end());
            if (end == dir.end())
                return;
        }
        fail(__FILE__, __LINE__, "the parser opened \"" + path + "\", outside the allowed folders");
    }

    XMLFileMgr* _files;
    std::vector<fs::path> _allowedDirs;
};

class RefusingNetAccessor : public XMLNetAccessor
{
public:
    const XMLCh* getId() const override
    {
        static const XMLCh id[] = {u'r', u'e', u'f', u'u', u's', u'i', u'n', u'g', 0};
        return id;
    }
    BinInputStream* makeNew(const XMLURL& url, const XMLNetHTTPInfo*) override
    {
        fail(__FILE__, __LINE__,
             "the parser fetched \"" + util::XmlString(url.getURLText()).toStdString() + "\"");
    }
};

} // namespace

void confineXmlFiles(const std::vector<std::string>& allowedDirs)
{
    std::vector<fs::path> dirs;
    for (const std::string& dir : allowedDirs)
        dirs.push_back(fs::canonical(dir));
    XMLPlatformUtils::fgFileMgr = new ConfinedFileMgr(XMLPlatformUtils::fgFileMgr, std::move(dirs));
    delete XMLPlatformUtils::fgNetAccessor;
    XMLPlatformUtils::fgNetAccessor = new RefusingNetAccessor;
}

} // namespace fuzz
