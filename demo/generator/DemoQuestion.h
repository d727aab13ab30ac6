#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QRectF;

// One demo question: what its picture shows and the answer that is truly correct for it.
struct TDemoQuestion
{
    QString format;        // "#", "(######)" or "[#####][#####][#####]"
    QString answer;        // exactly the shape of the format
    QString text;          // the question itself; "\n" starts a new line
    QStringList options;   // "#": the five choices A..E; matching: the five choices A..E
    QStringList items;     // matching: the three items 1..3
    // Draws a figure into the given area of the picture; empty when the question has none.
    std::function<void(QPainter &, const QRectF &)> figure;
};

// A topic of the structure and how to make its questions.
struct TDemoTopic
{
    QString name;
    int classic = 0;  // how many "#" questions
    int digits = 0;   // how many "(######)" questions
    int matching = 0; // how many three-group matching questions
    std::function<TDemoQuestion(class TDemoRandom &, const QString &format)> make;
};

struct TDemoBranch
{
    QString name; // empty for the topics directly under a subject
    QList<TDemoTopic> topics;
};

struct TDemoSubject
{
    QString name;
    QList<TDemoBranch> branches; // one unnamed branch, or sub-branches 1 and 2
    bool HasSubBranches() const { return !branches.isEmpty() && !branches.first().name.isEmpty(); }
};

// A small deterministic random source, so that the same generator makes the same content.
class TDemoRandom
{
public:
    explicit TDemoRandom(quint64 seed) : fState(seed) {}
    quint64 Next()
    {
        // splitmix64
        quint64 z = (fState += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi, both included.
    int Between(int lo, int hi) { return lo + int(Next() % quint64(hi - lo + 1)); }
    template <typename T> const T &Pick(const QList<T> &list) { return list.at(Between(0, int(list.size()) - 1)); }
    template <typename T> void Shuffle(QList<T> &list)
    {
        for (qsizetype i = list.size() - 1; i > 0; --i)
            list.swapItemsAt(i, Between(0, int(i)));
    }

private:
    quint64 fState;
};

// The subjects of the demo question bank, in container order.
QList<TDemoSubject> DemoSubjects();
