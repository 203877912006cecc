#pragma once
// One language per window. The program's own texts are written in English and translated
// into Japanese; under a Japanese locale they, and Qt's own dialogs (files, printing,
// messages), are Japanese, under any other English throughout. The pages, their headings
// and the list entries are the book's Japanese in every locale and are never translated.
#include <QLocale>

// Puts the translations for `locale` into the running application, in place of any put
// there before: the program's own, built into it, and Qt's, which Debian ships in
// qt6-translations-l10n. English needs none. False when one of them is missing, whose
// texts then stay English.
bool installTranslations(const QLocale& locale);
