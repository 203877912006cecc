#include "shell/language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QList>
#include <QPointer>
#include <QTranslator>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// What this unit put in, so that another language takes it out again. The application
// owns them: a translator must not outlive it.
QList<QPointer<QTranslator>>& installed()
{
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

bool install(const QString& file)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed().append(translator);
    return true;
}

}  // namespace

bool installTranslations(const QLocale& locale)
{
    for (const QPointer<QTranslator>& translator : std::exchange(installed(), {})) delete translator.data();
    if (locale.language() != QLocale::Japanese) return true;
    const bool ours = install(u":/i18n/velkora_ja.qm"_s);
    const bool qts = install(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ja.qm"_s);
    return ours && qts;
}
