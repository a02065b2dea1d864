#pragma once

#include <QString>
#include <QStringView>

namespace pondra {

// Text for XML or HTML, in element text and attribute values alike: markup characters escaped,
// characters XML cannot hold (controls but the tab, lone surrogates, U+FFFE and U+FFFF) dropped, so
// one stray character cannot make a reader refuse the file.
QString escapedMarkup(QStringView text);

} // namespace pondra
