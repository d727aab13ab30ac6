#pragma once

#include <QString>
#include <stdexcept>

// A failure that carries a message meant for the learner's eyes. Whatever no step catches
// ends in a message box with this text, and the program goes on.
class TTavelkoError : public std::runtime_error
{
public:
    explicit TTavelkoError(const QString &message)
        : std::runtime_error(message.toStdString()), fMessage(message)
    {
    }

    const QString &Message() const noexcept { return fMessage; }

private:
    QString fMessage;
};
