#include "shell/files/message_names.h"

#include <QList>

namespace {

// Longer names are shortened in the middle; the longest a file system allows for one
// part of a name is 255 bytes, so most single names still show whole.
constexpr qsizetype longestName = 200;

// The length of the UTF-8 sequence starting at `at`, 0 when it is not a valid one or
// encodes a C1 control character (U+0080 to U+009F), which terminals act on.
qsizetype utf8Length(const QByteArray& text, qsizetype at)
{
    const auto lead = uchar(text.at(at));
    const qsizetype length = lead >= 0xf0 && lead <= 0xf4 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 && lead < 0xe0 ? 2 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (qsizetype i = 1; i < length; ++i)
        if ((uchar(text.at(at + i)) & 0xc0) != 0x80) return 0;
    const QString decoded = QString::fromUtf8(text.mid(at, length));
    if (decoded.contains(QChar::ReplacementCharacter)) return 0;  // overlong or a surrogate
    if (length == 2 && decoded.at(0).unicode() <= 0x9f) return 0;
    return length;
}

QByteArray escapedByte(uchar byte)
{
    if (byte == '\n') return "\\n";
    if (byte == '\t') return "\\t";
    if (byte == '\r') return "\\r";
    return "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
}

// The text in pieces that stand for one character each, escaped where they must be.
QList<QByteArray> escapedPieces(const QByteArray& text)
{
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < text.size();) {
        const auto byte = uchar(text.at(at));
        if (byte == '\\') {
            pieces.append("\\\\");
            ++at;
        } else if (byte >= 0x20 && byte < 0x7f) {
            pieces.append(QByteArray(1, char(byte)));
            ++at;
        } else if (const qsizetype length = byte >= 0x80 ? utf8Length(text, at) : 0) {
            pieces.append(text.mid(at, length));
            at += length;
        } else {
            pieces.append(escapedByte(byte));
            ++at;
        }
    }
    return pieces;
}

}  // namespace

QByteArray escapedControls(const QByteArray& text) { return escapedPieces(text).join(); }

QByteArray quotedName(const QByteArray& name)
{
    const QList<QByteArray> pieces = escapedPieces(name);
    qsizetype total = 0;
    for (const QByteArray& piece : pieces) total += piece.size();
    if (total <= longestName) return '"' + pieces.join() + '"';
    // Whole pieces only from each end, so no escape or character is cut in two.
    QByteArray head, tail;
    for (qsizetype i = 0; head.size() + pieces.at(i).size() <= longestName / 2; ++i) head += pieces.at(i);
    for (qsizetype i = pieces.size() - 1; tail.size() + pieces.at(i).size() <= longestName / 2; --i)
        tail.prepend(pieces.at(i));
    return '"' + head + "…" + tail + '"';
}
