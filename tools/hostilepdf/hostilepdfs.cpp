#include "tools/hostilepdf/hostilepdfs.h"

#include <QFile>
#include <QList>

#include <zlib.h>

namespace HostilePdfs {

namespace {

constexpr qint64 MiB = 1024 * 1024;
constexpr char MediaBox[] = "/MediaBox [0 0 595 842]";
constexpr char Words[] = "Schweisszusatz Grundwerkstoff Schutzgas Zulassung Werkstoff Pruefung "
                         "Elektrode Drahtelektrode Schweissgut Kerbschlagarbeit";

// Objects are numbered from 1 in the order they are reserved and may be written in any order.
class Writer
{
public:
    explicit Writer(const QString &path)
        : m_file(path)
    {
        m_ok = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        write("%PDF-1.7\n%\xe2\xe3\xcf\xd3\n");
    }

    int reserve()
    {
        m_offsets.append(-1);
        return int(m_offsets.size());
    }
    int add(const QByteArray &body)
    {
        const int number = reserve();
        object(number, body);
        return number;
    }
    void object(int number, const QByteArray &body)
    {
        begin(number);
        write(body);
        write("\nendobj\n");
    }
    int stream(const QByteArray &dictionary, const QByteArray &data)
    {
        const int number = reserve();
        begin(number);
        write("<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n");
        write(data);
        write("\nendstream\nendobj\n");
        return number;
    }
    // An object left open: what follows is written as it is.
    void begin(int number)
    {
        m_offsets[number - 1] = m_file.pos();
        write(QByteArray::number(number) + " 0 obj\n");
    }
    void write(const QByteArray &bytes)
    {
        m_ok = m_ok && m_file.write(bytes.data(), bytes.size()) == bytes.size();
    }
    qint64 size() const { return m_file.pos(); }

    bool finish(int root)
    {
        const qint64 xref = m_file.pos();
        write("xref\n0 " + QByteArray::number(m_offsets.size() + 1) + "\n0000000000 65535 f \n");
        for (const qint64 offset : std::as_const(m_offsets))
            write(QByteArray::number(std::max<qint64>(offset, 0)).rightJustified(10, '0') +
                  (offset < 0 ? " 00000 f \n" : " 00000 n \n"));
        write("trailer\n<< /Size " + QByteArray::number(m_offsets.size() + 1) + " /Root " +
              QByteArray::number(root) + " 0 R >>\nstartxref\n" + QByteArray::number(xref) +
              "\n%%EOF\n");
        m_file.close();
        return m_ok && m_file.error() == QFileDevice::NoError;
    }

private:
    QFile m_file;
    QList<qint64> m_offsets;
    bool m_ok = false;
};

QByteArray reference(int number)
{
    return QByteArray::number(number) + " 0 R";
}

QByteArray pageObject(int parent, int contents, int font)
{
    return "<< /Type /Page /Parent " + reference(parent) + " " + MediaBox + " /Contents " +
           reference(contents) + " /Resources << /Font << /F1 " + reference(font) + " >> >> >>";
}

int standardFont(Writer &pdf)
{
    return pdf.add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
                   "/Encoding /WinAnsiEncoding >>");
}

// A page's worth of lines, each placed absolutely so that all of it lies on the page.
QByteArray textLines(int lines, QByteArrayView first)
{
    QByteArray text = "BT /F1 7 Tf\n";
    for (int line = 0; line < lines; ++line) {
        text += "1 0 0 1 20 " + QByteArray::number(820 - line * 8) + " Tm (";
        text += line == 0 && !first.isEmpty() ? first.toByteArray() + ' ' : QByteArray();
        text += Words + QByteArray(" Los ") + QByteArray::number(line) + ") Tj\n";
    }
    return text + "ET\n";
}

// Deflates `chunk` written `repeats` times, as a zlib stream; empty on failure.
QByteArray deflateRepeated(QByteArrayView chunk, qint64 repeats)
{
    z_stream z{};
    if (deflateInit(&z, Z_BEST_COMPRESSION) != Z_OK)
        return {};
    QByteArray out;
    char buffer[1 << 16];
    const auto pump = [&](int flush) {
        do {
            z.next_out = reinterpret_cast<Bytef *>(buffer);
            z.avail_out = sizeof buffer;
            deflate(&z, flush);
            out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        } while (z.avail_out == 0);
    };
    for (qint64 i = 0; i < repeats; ++i) {
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.data()));
        z.avail_in = uInt(chunk.size());
        pump(Z_NO_FLUSH);
    }
    z.avail_in = 0;
    pump(Z_FINISH);
    deflateEnd(&z);
    return out;
}

} // namespace

bool writeManyPages(const QString &path, int pages)
{
    Writer pdf(path);
    const int catalog = pdf.add("<< /Type /Catalog /Pages 2 0 R >>");
    const int tree = pdf.reserve();
    const int font = standardFont(pdf);
    const int contents = pdf.stream({}, "BT /F1 24 Tf 40 780 Td (Anfang Seite) Tj ET");
    QByteArray kids;
    kids.reserve(qsizetype(pages) * 12);
    for (int page = 0; page < pages; ++page)
        kids += reference(pdf.add(pageObject(tree, contents, font))) + ' ';
    pdf.object(tree,
               "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>");
    return pdf.finish(catalog);
}

bool writeTextHeavy(const QString &path, int megabytes)
{
    Writer pdf(path);
    const int catalog = pdf.add("<< /Type /Catalog /Pages 2 0 R >>");
    const int tree = pdf.reserve();
    const int font = standardFont(pdf);
    QByteArray kids;
    int pages = 0;
    const QByteArray body = textLines(100, {});
    while (pdf.size() + body.size() < megabytes * MiB) {
        const int contents = pdf.stream({}, pages == 0 ? textLines(100, "Anfang") : body);
        kids += reference(pdf.add(pageObject(tree, contents, font))) + ' ';
        ++pages;
    }
    const int contents = pdf.stream({}, textLines(100, "Schluss"));
    kids += reference(pdf.add(pageObject(tree, contents, font)));
    pdf.object(tree, "<< /Type /Pages /Kids [" + kids + "] /Count " +
                         QByteArray::number(pages + 1) + " >>");
    return pdf.finish(catalog);
}

bool writeInflatingPage(const QString &path, int megabytes)
{
    const QByteArray chunk = textLines(100, {});
    // A first stream of one page's text, so that a reader cut short still has "Anfang".
    const QByteArray once = deflateRepeated(textLines(100, "Anfang"), 1);
    const QByteArray inner = deflateRepeated(chunk, megabytes * MiB / chunk.size());
    if (once.isEmpty() || inner.isEmpty())
        return false;
    const QByteArray outer = deflateRepeated(inner, 1);
    Writer pdf(path);
    const int catalog = pdf.add("<< /Type /Catalog /Pages 2 0 R >>");
    const int tree = pdf.reserve();
    const int font = standardFont(pdf);
    const int start = pdf.stream("/Filter /FlateDecode", once);
    const int flood = pdf.stream("/Filter [/FlateDecode /FlateDecode]", outer);
    const int page = pdf.add("<< /Type /Page /Parent " + reference(tree) + " " + MediaBox +
                             " /Contents [" + reference(start) + ' ' + reference(flood) +
                             "] /Resources << /Font << /F1 " + reference(font) + " >> >> >>");
    pdf.object(tree, "<< /Type /Pages /Kids [" + reference(page) + "] /Count 1 >>");
    return pdf.finish(catalog);
}

bool writeDeepNesting(const QString &path, int depth)
{
    Writer pdf(path);
    const int catalog = pdf.add("<< /Type /Catalog /Pages 2 0 R >>");
    const int root = pdf.reserve();
    const int font = standardFont(pdf);
    const QByteArray arrays = QByteArray(depth, '[') + QByteArray(depth, ']');
    const int contents =
        pdf.stream({}, "BT /F1 24 Tf 40 780 Td (Anfang tief) Tj " + arrays + " TJ ET");
    QByteArray dictionaries;
    for (int level = 0; level < depth; ++level)
        dictionaries += "<< /A ";
    for (int level = 0; level < depth; ++level)
        dictionaries += ">> ";
    // Each level of the tree holds the next one: root, then `depth` more, then the page.
    int parent = root;
    QList<int> levels = {root};
    for (int level = 0; level < depth; ++level)
        levels.append(pdf.reserve());
    const int page = pdf.add("<< /Type /Page /Parent " + reference(levels.last()) + " " + MediaBox +
                             " /Contents " + reference(contents) + " /Resources << /Font << /F1 " +
                             reference(font) + " >> /Properties " + dictionaries + " >> >>");
    for (qsizetype level = 0; level < levels.size(); ++level) {
        const int kid = level + 1 < levels.size() ? levels.at(level + 1) : page;
        QByteArray body = "<< /Type /Pages /Kids [" + reference(kid) + "] /Count 1";
        if (level > 0)
            body += " /Parent " + reference(parent);
        pdf.object(levels.at(level), body + " >>");
        parent = levels.at(level);
    }
    return pdf.finish(catalog);
}

bool writeUnterminatedStream(const QString &path)
{
    Writer pdf(path);
    const int catalog = pdf.add("<< /Type /Catalog /Pages 2 0 R >>");
    const int tree = pdf.reserve();
    const int font = standardFont(pdf);
    const int contents = pdf.reserve();
    const int page = pdf.add(pageObject(tree, contents, font));
    pdf.object(tree, "<< /Type /Pages /Kids [" + reference(page) + "] /Count 1 >>");
    pdf.begin(contents);
    pdf.write("<< /Length 2147483647 >>\nstream\nBT /F1 24 Tf 40 780 Td (Anfang offen) Tj ET\n");
    pdf.write(textLines(100, {}));
    return pdf.finish(catalog);
}

} // namespace HostilePdfs
