#include "settingsfile.h"

#include "archive/filewriting.h"
#include "archive/regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

namespace pondra {

namespace {

// The group QSettings writes keys without a group into.
const QString General = QStringLiteral("General");

QString groupOf(const QString& key)
{
    const qsizetype slash = key.lastIndexOf(u'/');
    return slash < 0 ? General : key.left(slash);
}

QString nameOf(const QString& key)
{
    return key.sliced(key.lastIndexOf(u'/') + 1);
}

bool isHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

struct Unescaped {
    QStringList items;
    bool list = false;
};

// A value as QSettings escapes it: texts between double quotes or bare (blanks around them
// dropped), C escapes with \xHHHH, commas between the texts of a list, a semicolon starting a
// comment.
Unescaped unescape(QStringView raw)
{
    Unescaped value;
    QString item;
    QString blanks;
    bool quoted = false;
    bool started = false;
    const auto finishItem = [&] {
        value.items << item;
        item.clear();
        blanks.clear();
        started = false;
    };
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (!quoted && (c == u' ' || c == u'\t')) {
            if (started) {
                blanks += c;
            }
            continue;
        }
        if (!quoted && c == u';') {
            break;
        }
        if (!quoted && c == u',') {
            finishItem();
            value.list = true;
            continue;
        }
        item += blanks;
        blanks.clear();
        started = true;
        if (c == u'"') {
            quoted = !quoted;
            continue;
        }
        if (c != u'\\') {
            item += c;
            continue;
        }
        if (++i == raw.size()) {
            break;
        }
        static const QString letters = QStringLiteral("abfnrtv");
        static const QString controls = QStringLiteral("\a\b\f\n\r\t\v");
        const QChar escaped = raw[i];
        if (const qsizetype letter = letters.indexOf(escaped); letter >= 0) {
            item += controls[letter];
        } else if (escaped == u'x') {
            char16_t code = 0;
            for (int digits = 0; digits < 4 && i + 1 < raw.size() && isHex(raw[i + 1]); ++digits) {
                code = char16_t(code * 16 + QStringView(raw.sliced(++i, 1)).toUInt(nullptr, 16));
            }
            item += QChar(code);
        } else if (escaped >= u'0' && escaped <= u'7') {
            char16_t code = escaped.unicode() - u'0';
            for (int digits = 1; digits < 3 && i + 1 < raw.size() && raw[i + 1] >= u'0' && raw[i + 1] <= u'7';
                 ++digits) {
                code = char16_t(code * 8 + (raw[++i].unicode() - u'0'));
            }
            item += QChar(code);
        } else {
            item += escaped;
        }
    }
    finishItem();
    return value;
}

// One text of a value: "@@" stands for a leading "@"; any other "@" is a typed object.
std::optional<QString> plainText(const QString& item)
{
    if (!item.startsWith(u'@')) {
        return item;
    }
    if (item.startsWith(QStringLiteral("@@"))) {
        return item.sliced(1);
    }
    return std::nullopt;
}

QString escaped(const QString& text)
{
    QString out = QStringLiteral("\"");
    if (text.startsWith(u'@')) {
        out += u'@';
    }
    // Control characters and surrogates (UTF-8 cannot hold one alone) as \xHHHH; a hex digit right
    // after such an escape would be read as part of it.
    bool afterHexEscape = false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate() || (afterHexEscape && isHex(c))) {
            out += QStringLiteral("\\x") + QString::number(c.unicode(), 16);
            afterHexEscape = true;
            continue;
        }
        afterHexEscape = false;
        if (c == u'\\' || c == u'"') {
            out += u'\\';
        }
        out += c;
    }
    return out + u'"';
}

// The group of a "[Group]" line, or nothing.
std::optional<QString> groupLine(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[') || !trimmed.endsWith(u']')) {
        return std::nullopt;
    }
    return trimmed.sliced(1, trimmed.size() - 2).toString();
}

// The name of a "name=value" line, or nothing for a comment or a line without "=".
std::optional<QString> keyLine(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals <= 0 || trimmed.startsWith(u';') || trimmed.startsWith(u'#')) {
        return std::nullopt;
    }
    return trimmed.left(equals).trimmed().toString();
}

// The file's lines as they are on disk, each without its line feed.
QList<QByteArray> linesOf(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// A line as text, without a carriage return at its end nor a byte-order mark at its start.
QString textOf(const QByteArray& line)
{
    const QString text = QString::fromUtf8(line.endsWith('\r') ? line.chopped(1) : line);
    return text.startsWith(QChar(0xFEFF)) ? text.sliced(1) : text;
}

// The file's bytes; nothing for a file that is not there. False when the file is there but is
// not to be read.
bool readSettings(const QString& path, QByteArray* bytes)
{
    bytes->clear();
    QString reason;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        return true;
    }
    if (readRegularFile(path, SettingsFile::MaxBytes, bytes, &reason)) {
        return true;
    }
    noteOnce(QStringLiteral("le impostazioni «%1» restano come sono, senza leggerle: %2")
                 .arg(shownFileName(path), reason));
    return false;
}

} // namespace

void noteOnce(const QString& text)
{
    static QSet<QString> said;
    if (!said.contains(text)) {
        said.insert(text);
        QTextStream(stderr) << QStringLiteral("pondra: ") << text << Qt::endl;
    }
}

SettingsFile::SettingsFile(QString path) : m_path(std::move(path))
{
    reload();
}

void SettingsFile::reload()
{
    m_values.clear();
    QByteArray bytes;
    readSettings(m_path, &bytes);
    QString group = General;
    for (const QByteArray& bytesOfLine : linesOf(bytes)) {
        const QString line = textOf(bytesOfLine);
        if (const std::optional<QString> header = groupLine(line)) {
            group = *header;
        } else if (const std::optional<QString> name = keyLine(line)) {
            m_values.insert(group == General ? *name : group + u'/' + *name,
                            line.sliced(line.indexOf(u'=') + 1));
        }
    }
}

std::optional<QString> SettingsFile::text(const QString& key) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.cend()) {
        return std::nullopt;
    }
    const Unescaped value = unescape(*found);
    QStringList parts;
    for (const QString& item : value.items) {
        const std::optional<QString> part =
            value.list || item != QStringLiteral("@Invalid()") ? plainText(item) : QString();
        if (!part) {
            noteOnce(QStringLiteral("il valore di «%1» in «%2» non è un testo: è ignorato.")
                         .arg(key, shownFileName(m_path)));
            return std::nullopt;
        }
        parts << *part;
    }
    // A text written without quotes and holding a comma comes back as a list.
    return parts.join(QStringLiteral(", "));
}

std::optional<QStringList> SettingsFile::texts(const QString& key) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.cend()) {
        return std::nullopt;
    }
    const Unescaped value = unescape(*found);
    if (!value.list && value.items.first() == QStringLiteral("@Invalid()")) {
        return QStringList();
    }
    QStringList texts;
    for (const QString& item : value.items) {
        const std::optional<QString> text = plainText(item);
        if (!text) {
            noteOnce(QStringLiteral("il valore di «%1» in «%2» non è un elenco di testi: è ignorato.")
                         .arg(key, shownFileName(m_path)));
            return std::nullopt;
        }
        texts << *text;
    }
    return texts;
}

std::optional<bool> SettingsFile::flag(const QString& key) const
{
    const std::optional<QString> value = m_values.contains(key) ? text(key) : std::nullopt;
    if (value == QStringLiteral("true") || value == QStringLiteral("1")) {
        return true;
    }
    if (value == QStringLiteral("false") || value == QStringLiteral("0")) {
        return false;
    }
    if (value) {
        noteOnce(QStringLiteral("il valore di «%1» in «%2» non è «true» né «false»: è ignorato.")
                     .arg(key, shownFileName(m_path)));
    }
    return std::nullopt;
}

bool SettingsFile::setTexts(const QString& key, const QStringList& texts)
{
    if (texts.isEmpty()) {
        return setRaw(key, QStringLiteral("@Invalid()"));
    }
    QStringList parts;
    for (const QString& text : texts) {
        parts << escaped(text);
    }
    return setRaw(key, parts.join(QStringLiteral(", ")));
}

bool SettingsFile::setFlag(const QString& key, bool value)
{
    return setRaw(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

bool SettingsFile::setRaw(const QString& key, const QString& raw)
{
    // What another running program wrote meanwhile is kept.
    QByteArray bytes;
    if (!readSettings(m_path, &bytes)) {
        return false;
    }
    QList<QByteArray> lines = linesOf(bytes);
    const QString group = groupOf(key);
    const QByteArray entry = (nameOf(key) + u'=' + raw).toUtf8();
    QString current = General;
    // The last line of the key is the one read, and the end of the group's last part is where a
    // new key goes.
    qsizetype match = -1;
    qsizetype groupEnd = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = textOf(lines[i]);
        const std::optional<QString> header = groupLine(line);
        const std::optional<QString> name = header ? std::nullopt : keyLine(line);
        if (header) {
            current = *header;
        }
        if (current == group && (header || name)) {
            groupEnd = i + 1;
        }
        if (current == group && name == nameOf(key)) {
            match = i;
        }
    }
    if (match >= 0) {
        lines[match] = entry;
    } else if (groupEnd >= 0) {
        lines.insert(groupEnd, entry);
    } else if (group == General) {
        // QSettings reads keys before the first group as the general ones.
        lines.prepend(entry);
    } else {
        if (!lines.isEmpty()) {
            lines << QByteArray();
        }
        lines << (u'[' + group + u']').toUtf8() << entry;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QString reason;
    if (!saveWholeFile(m_path, lines.join('\n') + '\n', &reason)) {
        noteOnce(QStringLiteral("le impostazioni non si possono salvare in «%1»: %2")
                     .arg(shownFileName(m_path), reason));
        return false;
    }
    reload();
    return true;
}

} // namespace pondra
