#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <initializer_list>

// The interface languages and the translation table: every language-dependent text is a row of
// one constant table with a column per language. Callers look a text up when they show it, so it
// always follows the current language.

enum TLanguage : qint32 { langEnglish = 0, langAzerbaijani = 1, langRussian = 2, langTurkish = 3 };
constexpr qint32 LanguageCount = 4;

// The names shown in the language box, never translated.
QString LanguageName(qint32 languageIndex);

// The process-wide current language. An index outside 0..3 (say, a damaged setting) selects the
// given default instead.
qint32 CurrentLanguageIndex();
void SetCurrentLanguageIndex(qint32 languageIndex, qint32 fallback = langAzerbaijani);

// The client's table. A row that does not exist gives an empty text.
QString Tr(qint32 row);
QString TrIn(qint32 row, qint32 languageIndex);
bool RowExists(qint32 row);
QList<qint32> TranslationRows();

// The updater's own five-row table, with its own current language.
QString UpdaterTr(qint32 row, qint32 languageIndex);
constexpr qint32 UpdaterRowCount = 8;

// Fills the placeholders %s, %d and %.2f of a row's template in order; "%%" is a percent sign.
// Numbers are written with "." and no grouping, whatever the locale.
QString FormatText(const QString &templ, std::initializer_list<QVariant> args);
QString TrFormat(qint32 row, std::initializer_list<QVariant> args);

// Row 15: the caption of one exam-model button, from the model's name and its duration text.
QString ModelButtonCaption(const QString &name, const QString &duration);

// The placeholders of a template in order ("s", "d", ".2f"), for checking the translations.
QStringList Placeholders(const QString &templ);

// Windows whose captions follow the language implement this.
class ITranslatable
{
public:
    virtual ~ITranslatable() = default;
    virtual void Translate() = 0;
};

// Sets a window's captions from the table; a window of any other kind is left unchanged.
void Translate(QObject *window);
