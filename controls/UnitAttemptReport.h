#pragma once

#include "UnitAttempt.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The words of an outcome and of an answer in the interface language: "right", "wrong",
// "no answer"; the readable answer, or "no answer" for a blank one.
QString OutcomeWord(TAnswerOutcome outcome);
QString AnswerWords(const QString &format, const QString &answer);
// A topic as the learner reads it: its name where known, else "Topic 3" or "Topic unknown".
QString TopicWords(int topic, const QString &name);

// The name of a question's topic; empty when it is not known here.
using TTopicNamer = std::function<QString(const TAttemptQuestion &question)>;

// A finished exam as a printable report in the interface language: the totals, a table of the
// subjects and their parts, a table of the topics, and every question with the correct and the
// given answer. PDF bytes, A4.
QByteArray AttemptPdf(const TAttempt &attempt, const TTopicNamer &topicName);

// The same exam as CSV, one row per question, in the interface language.
QByteArray AttemptCsvReport(const TAttempt &attempt, const TTopicNamer &topicName);
