// libFuzzer target for the Access table reader: every input is opened as a database in memory,
// the catalogue's five tables are opened and every row is read by position and by the column
// names the loader uses. Any outcome but AppError (a crash, a sanitizer report, a hang, memory
// without bound) is a fault. The input's first bytes also go through our conversion of stored
// texts (Jet 4 or Jet 3) and through libmdb's, which must agree.
//
// Build (clang only) and run for ten minutes:
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKB_FUZZ=ON \
//       -DCMAKE_BUILD_TYPE=RelWithDebInfo [-DKB_FUZZ_LIBMDB_SOURCE=<mdbtools v1.0.0 checkout>]
//   cmake --build build-fuzz --target fuzz_accesstable fuzz_seeds
//   mkdir -p build-fuzz/corpus build-fuzz/findings
//   ASAN_OPTIONS=log_path=build-fuzz/findings/asan build-fuzz/tests/fuzz/fuzz_accesstable \
//       build-fuzz/corpus build-fuzz/tests/fuzz/seeds tests/data/damaged \
//       -artifact_prefix=build-fuzz/findings/ -max_total_time=600 -timeout=10 -rss_limit_mb=2048
// The reader silences stdout and stderr while libmdb works, so a sanitizer's report about a
// crash inside it goes to the log_path file. A crashing or hanging input belongs in
// tests/data/damaged/ as fuzz-<what>.mde, where tst_damagedfiles reads it.
#include "catalogue/accesstable.h"
#include "catalogue/jetstoredtext.h"
#include "platform/apperror.h"
#include "platform/cp1252.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// glib first: mdbtools.h wraps its includes in extern "C", which breaks glib's C++ parts.
#include <glib.h>
#include <mdbtools.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int RowCap = 2000;

struct TableToRead
{
    const char *name;
    const char *component;
    std::initializer_list<const char *> textColumns;
    const char *truthColumn;
};

const TableToRead tables[] = {
    {"Verzeichnis",
     "qKennblaetter",
     {"KBNr", "Marke", "Pulvermarke", "HerstLiefSchl", "ZusatzSchl", "InfoGeberSchl"},
     "AenderungsFlag"},
    {"H-InformationsGeber", "adotInfogeber", {}, nullptr},
    {"H-Schwei\xdfzusatz", "adotZusatz", {}, nullptr},
    {"H-HerstellerLieferer", "adotHersteller", {"HerstLiefSchl"}, nullptr},
    {"norvenz", "adotNorvenz", {}, nullptr},
};

template<typename F>
void tolerateAppError(F f)
{
    try {
        f();
    } catch (const AppError &) {
    }
}

void readTable(AccessFile &file, const TableToRead &which)
{
    AccessTable table(file, which.name, QString::fromLatin1(which.component));
    for (int row = 0; !table.Eof() && row < RowCap; ++row, table.Next()) {
        for (int i = 0; i < table.columnCount(); ++i)
            tolerateAppError([&] { (void)table.Text(i); });
        for (const char *column : which.textColumns)
            tolerateAppError([&] { (void)table.Text(column); });
        if (which.truthColumn)
            tolerateAppError([&] { (void)table.TruthValue(which.truthColumn); });
    }
    table.Close();
}

// Just what mdb_unicode2ascii looks at: the Jet version and the converter to UTF-8.
MdbHandle *textHandle(bool jet3)
{
    const auto make = [](guint32 version, const char *stored) {
        auto *mdb = static_cast<MdbHandle *>(g_malloc0(sizeof(MdbHandle)));
        mdb->f = static_cast<MdbFile *>(g_malloc0(sizeof(MdbFile)));
        mdb->f->jet_version = version;
        mdb->iconv_in = iconv_open("UTF-8", stored);
        return mdb;
    };
    static MdbHandle *jet4 = make(MDB_VER_JET4, "UCS-2LE");
    static MdbHandle *jet3Handle = make(MDB_VER_JET3, "WINDOWS-1252");
    return jet3 ? jet3Handle : jet4;
}

// The first byte chooses the format (bit 6) and a limit (bits 0 to 3, 0 for none).
void compareTextConversion(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return;
    const bool jet3 = data[0] & 0x40;
    const std::size_t length = std::min<std::size_t>(size - 1, 600);
    const auto *stored = reinterpret_cast<const char *>(data + 1);
    const qsizetype limit = (data[0] & 0x0F) == 0 ? JetStoredText::NoLimit : data[0] & 0x0F;
    char utf8[2048];
    const int written =
        mdb_unicode2ascii(textHandle(jet3), stored, length, utf8,
                          limit == JetStoredText::NoLimit ? sizeof utf8 : std::size_t(limit) + 1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString viaLibmdb = decoder(QByteArrayView(utf8, qstrnlen(utf8, std::size_t(written))));
    QByteArray ours = JetStoredText::toCp1252(
        QByteArrayView(stored, qsizetype(length)),
        jet3 ? JetStoredText::Form::Windows1252 : JetStoredText::Form::Ucs2, limit);
    // libmdb turns the five bytes Windows-1252 leaves undefined into "?"; we keep them.
    if (jet3) {
        for (char &c : ours) {
            if (QByteArrayView("\x81\x8d\x8f\x90\x9d").contains(c))
                c = '?';
        }
    }
    if (ours != Cp1252::fromUnicode(viaLibmdb))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    compareTextConversion(data, size);
    tolerateAppError([&] {
        const auto file = AccessFile::openBuffer(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), u"fuzz.mde"_s);
        for (const TableToRead &which : tables)
            tolerateAppError([&] { readTable(*file, which); });
    });
    return 0;
}
