#pragma once

#include "DemoQuestion.h"

#include <QByteArray>

// The picture of a question as the client shows it: 1000 x 600 pixels, PNG.
QByteArray RenderQuestionPng(const TDemoQuestion &question, const QString &subject, const QString &topic);
