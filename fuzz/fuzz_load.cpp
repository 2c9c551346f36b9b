// The init.txt loader: whatever the file holds, no row count goes negative,
// no more rows exist than the file has lines, and what was loaded survives a
// save and a second load unchanged, or the save leaves the file alone.
#include "config/configuration.h"
#include "fuzzsupport.h"

#include <cstdint>

namespace {
struct Snapshot
{
    QString maya;
    QString mr;
    QVector<ShaderType> types;
};

Snapshot take()
{
    return {Configuration::mayaPath, Configuration::mrPath, Configuration::shaderTypes};
}

bool same(const Snapshot &a, const Snapshot &b)
{
    if (a.maya != b.maya || a.mr != b.mr || a.types.size() != b.types.size())
        return false;
    for (int t = 0; t < a.types.size(); ++t) {
        const ShaderType &x = a.types.at(t);
        const ShaderType &y = b.types.at(t);
        if (x.name != y.name || x.rows.size() != y.rows.size())
            return false;
        for (int r = 0; r < x.rows.size(); ++r) {
            if (x.rows.at(r).extension != y.rows.at(r).extension
                || x.rows.at(r).path != y.rows.at(r).path
                || x.rows.at(r).mandatory != y.rows.at(r).mandatory)
                return false;
        }
    }
    return true;
}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    enterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    writeFile("init.txt", input);
    Configuration::reset();
    Configuration::load();

    qsizetype rows = 0;
    bool emptyFolders = true;
    for (const ShaderType &type : std::as_const(Configuration::shaderTypes)) {
        FUZZ_CHECK(type.rows.size() >= 0);
        rows += type.rows.size();
        for (const ShaderFileRow &row : type.rows)
            emptyFolders = emptyFolders && row.path.isEmpty();
    }
    // Rows come from lines, but for the default type that stands in for a
    // file without a shader block: five rows without folders.
    const bool defaultType = Configuration::shaderTypes.size() == 1 && rows == 5 && emptyFolders;
    FUZZ_CHECK(defaultType || rows <= input.count('\n') + input.count('\r') + 1);

    // Whatever the loader took in can be written back; a save that refuses
    // leaves the file as it was.
    const Snapshot first = take();
    const Configuration::SaveResult result = Configuration::save();
    FUZZ_CHECK(result.status != Configuration::SaveStatus::Unstorable);
    FUZZ_CHECK(result.status != Configuration::SaveStatus::WriteFailed);
    if (result.status != Configuration::SaveStatus::Saved)
        FUZZ_CHECK(readFile("init.txt") == input);
    Configuration::reset();
    Configuration::load();
    FUZZ_CHECK(same(first, take()));
    return 0;
}
