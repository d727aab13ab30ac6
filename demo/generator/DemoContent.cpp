// The demo question bank: four subjects, their topics, and a generator per topic whose every
// question comes with the answer that is truly correct for it.

#include "DemoFigures.h"
#include "DemoQuestion.h"

#include <QSet>

#include <numeric>
#include <stdexcept>

namespace {

const QString Classic = QStringLiteral("#");
const QString Digits = QStringLiteral("(######)");
const QString Match = QStringLiteral("[#####][#####][#####]");
const QString Letters = QStringLiteral("ABCDE");

// A value with `scale` decimal places held as a whole number: Decimal(785, 1) is "78.5",
// Decimal(31400, 2) is "314". Trailing zeros go, so every value has one way of being written.
QString Decimal(qint64 scaled, int scale)
{
    const bool negative = scaled < 0;
    qint64 magnitude = negative ? -scaled : scaled;
    qint64 unit = 1;
    for (int i = 0; i < scale; ++i)
        unit *= 10;
    QString text = QString::number(magnitude / unit);
    QString fraction = QString::number(magnitude % unit).rightJustified(scale, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return negative ? u'-' + text : text;
}

// The six-column answer of a number.
QString DigitsAnswer(const QString &value)
{
    if (value.size() > 6)
        throw std::logic_error("a number does not fit six columns");
    return u'(' + value + QString(6 - value.size(), u'#') + u')';
}

// Tops the choices up to five with candidates not among them yet.
void FillChoices(QStringList &choices, const QStringList &candidates)
{
    for (const QString &candidate : candidates) {
        if (choices.size() == 5)
            break;
        if (!choices.contains(candidate))
            choices.append(candidate);
    }
}

// Five choices, the correct one at a random place among four distinct wrong ones.
TDemoQuestion ChooseOne(TDemoRandom &r, const QString &text, const QString &correct, const QStringList &wrong)
{
    QStringList choices{correct};
    FillChoices(choices, wrong);
    if (choices.size() < 5)
        throw std::logic_error("too few distinct wrong answers");
    r.Shuffle(choices);
    TDemoQuestion q;
    q.format = Classic;
    q.text = text;
    q.options = choices;
    q.answer = Letters.at(choices.indexOf(correct));
    return q;
}

TDemoQuestion WriteNumber(const QString &text, const QString &value)
{
    TDemoQuestion q;
    q.format = Digits;
    q.text = text;
    q.answer = DigitsAnswer(value);
    return q;
}

// Three items, each matched with one of five choices; the other two choices match nothing.
TDemoQuestion MatchThree(TDemoRandom &r, const QString &text, const QList<QPair<QString, QString>> &pairs,
                         const QStringList &spare)
{
    QStringList choices;
    for (const auto &pair : pairs)
        choices.append(pair.second);
    FillChoices(choices, spare);
    if (pairs.size() != 3 || choices.size() != 5 || QSet<QString>(choices.begin(), choices.end()).size() != 5)
        throw std::logic_error("a matching question needs three pairs and five distinct choices");
    r.Shuffle(choices);
    TDemoQuestion q;
    q.format = Match;
    q.text = text;
    q.options = choices;
    for (const auto &pair : pairs) {
        q.items.append(pair.first);
        QString group = QStringLiteral("[#####]");
        const int column = int(choices.indexOf(pair.second));
        group[1 + column] = Letters.at(column);
        q.answer += group;
    }
    return q;
}

// Wrong numbers a learner might reach by a slip, for a correct value with `scale` decimals.
QStringList NearMisses(TDemoRandom &r, qint64 correct, int scale, const QList<qint64> &slips, bool allowNegative = false)
{
    QList<qint64> values;
    for (qint64 slip : slips)
        values.append(slip);
    r.Shuffle(values);
    QStringList wrong;
    for (qint64 value : values) {
        if (value == correct || (!allowNegative && value <= 0))
            continue;
        const QString text = Decimal(value, scale);
        if (!wrong.contains(text))
            wrong.append(text);
    }
    return wrong;
}

QString WithUnit(const QString &value, const QString &unit)
{
    if (unit.isEmpty())
        return value;
    return unit == u"°" ? value + unit : value + u' ' + unit;
}

QStringList WithUnit(const QStringList &values, const QString &unit)
{
    QStringList result;
    for (const QString &value : values)
        result.append(WithUnit(value, unit));
    return result;
}

// A question whose answer is a number: five choices for "#", the number itself for "(######)".
TDemoQuestion NumberQuestion(TDemoRandom &r, const QString &format, const QString &text, qint64 correct, int scale,
                             const QList<qint64> &slips, const QString &unit = QString(), bool allowNegative = false)
{
    if (format == Digits)
        return WriteNumber(text + (unit.isEmpty() ? QString() : QStringLiteral(" (in %1)").arg(unit)),
                           Decimal(correct, scale));
    return ChooseOne(r, text, WithUnit(Decimal(correct, scale), unit),
                     WithUnit(NearMisses(r, correct, scale, slips, allowNegative), unit));
}

QString Superscript(int n)
{
    static const QString digits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text;
    for (QChar c : QString::number(n))
        text += digits.at(c.digitValue());
    return text;
}

// ---------------------------------------------------------------------------------------------
// Mathematics

TDemoQuestion NaturalNumbers(TDemoRandom &r, const QString &format)
{
    if (format == Digits) {
        const int a = r.Between(120, 980), b = r.Between(110, 890), c = r.Between(50, 199);
        return WriteNumber(QStringLiteral("Compute:\n%1 + %2 − %3 = ?").arg(a).arg(b).arg(c), QString::number(a + b - c));
    }
    const int a = r.Between(12, 99), b = r.Between(3, 12);
    const qint64 p = qint64(a) * b;
    return NumberQuestion(r, format, QStringLiteral("What is %1 × %2 ?").arg(a).arg(b), p, 0,
                          {p + a, p - a, p + 10, p - 10, p + b, qint64(a + 1) * b, p + 1});
}

TDemoQuestion Fractions(TDemoRandom &r, const QString &format)
{
    if (format == Digits) {
        // x.y × n with a result whose tenths are not zero
        int tenths = 0, n = 0;
        do {
            tenths = r.Between(11, 99);
            n = r.Between(2, 9);
        } while ((tenths * n) % 10 == 0 || tenths % 10 == 0);
        return WriteNumber(QStringLiteral("Compute:\n%1 × %2 = ?").arg(Decimal(tenths, 1)).arg(n), Decimal(qint64(tenths) * n, 1));
    }
    const int q = r.Pick(QList<int>{6, 8, 9, 10, 12});
    int a = 0, b = 0;
    do {
        a = r.Between(1, q - 2);
        b = r.Between(1, q - 1 - a);
    } while (std::gcd(a + b, q) == 1 && r.Between(0, 1) == 0);
    auto fraction = [](int num, int den) {
        const int g = std::gcd(num, den);
        num /= g;
        den /= g;
        return den == 1 ? QString::number(num) : QStringLiteral("%1/%2").arg(num).arg(den);
    };
    const QString correct = fraction(a + b, q);
    return ChooseOne(r, QStringLiteral("What is %1/%3 + %2/%3 ?\nGive the result in lowest terms.").arg(a).arg(b).arg(q), correct,
                     {fraction(a + b, 2 * q), fraction(a * b, q), fraction(a + b + 1, q), fraction(a + b - 1, q),
                      fraction(a + b, q + 1), QStringLiteral("%1/%2").arg(a + b).arg(2 * q + 1)});
}

TDemoQuestion Percentages(TDemoRandom &r, const QString &format)
{
    const int percent = r.Pick(QList<int>{5, 10, 15, 20, 25, 30, 40, 50, 60, 75});
    const int base = 20 * r.Between(2, 40);
    if (format == Digits) {
        const qint64 price = qint64(base) * (100 - percent) / 100;
        return WriteNumber(QStringLiteral("A price of %1 manat is lowered by %2%.\nWhat is the new price in manat?")
                               .arg(base)
                               .arg(percent),
                           QString::number(price));
    }
    const qint64 part = qint64(base) * percent / 100;
    return NumberQuestion(r, format, QStringLiteral("What is %1% of %2 ?").arg(percent).arg(base), part, 0,
                          {base - part, part * 2, part + 10, part / 2, part + percent, base / percent, part - 5});
}

TDemoQuestion Powers(TDemoRandom &r, const QString &format)
{
    if (format == Match) {
        QList<QPair<QString, QString>> pairs;
        QSet<int> used;
        while (pairs.size() < 3) {
            const int b = r.Between(2, 9), e = r.Between(2, 3);
            int value = 1;
            for (int i = 0; i < e; ++i)
                value *= b;
            if (used.contains(value))
                continue;
            used.insert(value);
            pairs.append({QString::number(b) + Superscript(e), QString::number(value)});
        }
        QStringList spare;
        for (int v : {16, 27, 36, 49, 64, 81, 100, 125, 8, 25, 9, 4})
            if (!used.contains(v))
                spare.append(QString::number(v));
        r.Shuffle(spare);
        return MatchThree(r, QStringLiteral("Match each power with its value."), pairs, spare);
    }
    if (format == Digits) {
        const int s = r.Between(4, 15), b = r.Between(2, 9);
        // Concatenated: a "²" right after a placeholder would read as one of its digits.
        return WriteNumber(QStringLiteral("Compute:\n√") + QString::number(s * s) + QStringLiteral(" + ") + QString::number(b)
                               + QStringLiteral("² = ?"),
                           QString::number(s + b * b));
    }
    const int b = r.Between(2, 12), e = r.Between(2, 4);
    qint64 value = 1;
    for (int i = 0; i < e; ++i)
        value *= b;
    return NumberQuestion(r, format, QStringLiteral("What is %1%2 ?").arg(b).arg(Superscript(e)), value, 0,
                          {qint64(b) * e, value / b, value * b, value + b, value - 1, qint64(e) * e * b});
}

TDemoQuestion Equations(TDemoRandom &r, const QString &format)
{
    auto equation = [&](int &x) {
        const int a = r.Between(2, 9);
        x = r.Between(-9, 12);
        if (x == 0)
            x = 5;
        const int b = r.Between(1, 30);
        const int c = a * x + b;
        return QStringLiteral("%1x + %2 = %3").arg(a).arg(b).arg(c);
    };
    if (format == Match) {
        QList<QPair<QString, QString>> pairs;
        QSet<int> used;
        while (pairs.size() < 3) {
            int x = 0;
            const QString text = equation(x);
            if (used.contains(x))
                continue;
            used.insert(x);
            pairs.append({text, QStringLiteral("x = %1").arg(x)});
        }
        QStringList spare;
        for (int x = -6; x <= 14; x += 2)
            if (!used.contains(x))
                spare.append(QStringLiteral("x = %1").arg(x));
        r.Shuffle(spare);
        return MatchThree(r, QStringLiteral("Match each equation with its solution."), pairs, spare);
    }
    int x = 0;
    const QString text = equation(x);
    if (format == Digits)
        return WriteNumber(QStringLiteral("Solve for x:\n%1").arg(text), QString::number(x));
    QStringList wrong;
    for (int slip : {x + 1, x - 1, -x, x + 2, 2 * x, x - 3})
        if (slip != x)
            wrong.append(QStringLiteral("x = %1").arg(slip));
    r.Shuffle(wrong);
    return ChooseOne(r, QStringLiteral("Solve for x:\n%1").arg(text), QStringLiteral("x = %1").arg(x), wrong);
}

TDemoQuestion Sequences(TDemoRandom &r, const QString &format)
{
    const int a = r.Between(-5, 20), d = r.Between(2, 9), n = r.Between(6, 20);
    if (format == Digits) {
        const qint64 sum = qint64(n) * (2 * a + (n - 1) * d) / 2;
        return WriteNumber(QStringLiteral("An arithmetic progression starts with %1 and its difference is %2.\n"
                                          "What is the sum of its first %3 terms?")
                               .arg(a)
                               .arg(d)
                               .arg(n),
                           QString::number(sum));
    }
    const qint64 term = a + qint64(n - 1) * d;
    return NumberQuestion(r, format,
                          QStringLiteral("In an arithmetic progression the first term is %1 and the difference is %2.\n"
                                         "What is term number %3?")
                              .arg(a)
                              .arg(d)
                              .arg(n),
                          term, 0, {a + qint64(n) * d, term - d, term + 1, qint64(n) * d, term + d, term - 1}, QString(), true);
}

// ---------------------------------------------------------------------------------------------
// Geometry

TDemoQuestion Angles(TDemoRandom &r, const QString &format)
{
    if (format == Digits) {
        const int known = r.Between(25, 155);
        TDemoQuestion q = WriteNumber(QStringLiteral("Two angles lie side by side on a straight line.\n"
                                                     "One of them is %1°. How many degrees is the other?")
                                          .arg(known),
                                      QString::number(180 - known));
        q.figure = [known](QPainter &p, const QRectF &area) {
            DemoFigures::StraightAngle(p, area, QStringLiteral("%1°").arg(known), QStringLiteral("?"));
        };
        return q;
    }
    const int alpha = r.Between(30, 80), beta = r.Between(30, 80);
    const int gamma = 180 - alpha - beta;
    TDemoQuestion q = NumberQuestion(r, format,
                                     QStringLiteral("Two angles of a triangle are %1° and %2°.\nHow large is the third angle?")
                                         .arg(alpha)
                                         .arg(beta),
                                     gamma, 0, {gamma + 10, gamma - 10, 180 - alpha, 180 - beta, alpha + beta, 90 - gamma / 2}, "°");
    q.figure = [alpha, beta](QPainter &p, const QRectF &area) {
        DemoFigures::Triangle(p, area, QStringLiteral("%1°").arg(alpha), QStringLiteral("%1°").arg(beta), QStringLiteral("?"));
    };
    return q;
}

TDemoQuestion Perimeter(TDemoRandom &r, const QString &format)
{
    if (format == Digits) {
        const int side = r.Between(3, 40);
        TDemoQuestion q = WriteNumber(QStringLiteral("A regular hexagon has sides of %1 cm.\nWhat is its perimeter in cm?").arg(side),
                                      QString::number(6 * side));
        q.figure = [side](QPainter &p, const QRectF &area) { DemoFigures::Hexagon(p, area, QStringLiteral("%1 cm").arg(side)); };
        return q;
    }
    const int w = r.Between(5, 30), h = r.Between(3, 20);
    TDemoQuestion q = NumberQuestion(r, format,
                                     QStringLiteral("A rectangle is %1 cm wide and %2 cm high.\nWhat is its perimeter?").arg(w).arg(h),
                                     2 * (w + h), 0, {w + h, qint64(w) * h, 2 * w + h, w + 2 * h, 4 * w, 2 * (w + h) + 2}, "cm");
    q.figure = [w, h](QPainter &p, const QRectF &area) {
        DemoFigures::Rectangle(p, area, QStringLiteral("%1 cm").arg(w), QStringLiteral("%1 cm").arg(h));
    };
    return q;
}

TDemoQuestion Area(TDemoRandom &r, const QString &format)
{
    if (format == Digits) {
        const int w = r.Between(6, 40), h = r.Between(3, 25);
        TDemoQuestion q = WriteNumber(QStringLiteral("A rectangle is %1 m long and %2 m wide.\nWhat is its area in m²?").arg(w).arg(h),
                                      QString::number(w * h));
        q.figure = [w, h](QPainter &p, const QRectF &area) {
            DemoFigures::Rectangle(p, area, QStringLiteral("%1 m").arg(w), QStringLiteral("%1 m").arg(h));
        };
        return q;
    }
    const int base = 2 * r.Between(3, 15), height = r.Between(3, 20);
    const qint64 area = qint64(base) * height / 2;
    TDemoQuestion q = NumberQuestion(r, format,
                                     QStringLiteral("A triangle has a base of %1 cm and a height of %2 cm.\nWhat is its area?")
                                         .arg(base)
                                         .arg(height),
                                     area, 0, {area * 2, area + base, base + height, area - height, area + 1, area / 2}, "cm²");
    q.figure = [base, height](QPainter &p, const QRectF &rect) {
        DemoFigures::TriangleWithHeight(p, rect, QStringLiteral("%1 cm").arg(base), QStringLiteral("%1 cm").arg(height));
    };
    return q;
}

TDemoQuestion Circles(TDemoRandom &r, const QString &format)
{
    // Areas up to r = 17 still fit six columns (907.46).
    const int radius = format == Digits ? r.Between(1, 17) : r.Between(1, 25);
    TDemoQuestion q;
    if (format == Digits) {
        q = WriteNumber(QStringLiteral("Take π = 3.14.\nA circle has a radius of %1 cm. What is its area in cm²?").arg(radius),
                        Decimal(314LL * radius * radius, 2));
    } else {
        const qint64 circumference = 628LL * radius; // hundredths
        q = NumberQuestion(r, format,
                           QStringLiteral("Take π = 3.14.\nA circle has a radius of %1 cm. What is its circumference?").arg(radius),
                           circumference, 2,
                           {314LL * radius, 314LL * radius * radius, circumference + 314, circumference - 314,
                            628LL * radius * radius, circumference * 2},
                           "cm");
    }
    q.figure = [radius](QPainter &p, const QRectF &area) { DemoFigures::Circle(p, area, QStringLiteral("%1 cm").arg(radius)); };
    return q;
}

TDemoQuestion Pythagoras(TDemoRandom &r, const QString &format)
{
    static const QList<std::array<int, 3>> triples{{3, 4, 5}, {5, 12, 13}, {8, 15, 17}, {7, 24, 25}, {6, 8, 10}};
    const auto triple = r.Pick(triples);
    const int k = r.Between(1, 4);
    const int a = triple[0] * k, b = triple[1] * k, c = triple[2] * k;
    TDemoQuestion q;
    if (format == Digits) {
        q = WriteNumber(QStringLiteral("A right triangle has a hypotenuse of %1 cm and one leg of %2 cm.\n"
                                       "How long is the other leg in cm?")
                            .arg(c)
                            .arg(a),
                        QString::number(b));
        q.figure = [a, c](QPainter &p, const QRectF &area) {
            DemoFigures::RightTriangle(p, area, QStringLiteral("%1 cm").arg(a), QStringLiteral("?"), QStringLiteral("%1 cm").arg(c));
        };
    } else {
        q = NumberQuestion(r, format,
                           QStringLiteral("The legs of a right triangle are %1 cm and %2 cm.\nHow long is the hypotenuse?").arg(a).arg(b),
                           c, 0, {a + b, c + k, c - k, b + k, qint64(a) * b / 2, c + 2 * k}, "cm");
        q.figure = [a, b](QPainter &p, const QRectF &area) {
            DemoFigures::RightTriangle(p, area, QStringLiteral("%1 cm").arg(a), QStringLiteral("%1 cm").arg(b), QStringLiteral("?"));
        };
    }
    return q;
}

// ---------------------------------------------------------------------------------------------
// Physics

TDemoQuestion Speed(TDemoRandom &r, const QString &format)
{
    const int v = 5 * r.Between(8, 26), t = r.Between(2, 6);
    if (format == Digits)
        return NumberQuestion(r, format, QStringLiteral("A bus moves at a steady %1 km/h for %2 hours.\nHow far does it travel?").arg(v).arg(t),
                              qint64(v) * t, 0, {}, "km");
    return NumberQuestion(r, format,
                          QStringLiteral("A car covers %1 km in %2 hours.\nWhat is its average speed?").arg(v * t).arg(t), v, 0,
                          {qint64(v) * t, v + 10, v - 10, v / 2, v + t, 2 * v}, "km/h");
}

TDemoQuestion Force(TDemoRandom &r, const QString &format)
{
    const int m = r.Between(2, 60), a = r.Between(2, 9);
    if (format == Digits)
        return NumberQuestion(r, format,
                              QStringLiteral("A net force of %1 N acts on a body of mass %2 kg.\nWhat is its acceleration?").arg(m * a).arg(m),
                              a, 0, {}, "m/s²");
    return NumberQuestion(r, format,
                          QStringLiteral("A body of mass %1 kg accelerates at %2 m/s².\nWhat net force acts on it?").arg(m).arg(a),
                          qint64(m) * a, 0, {m + a, qint64(m) * a * 2, qint64(m) * (a + 1), qint64(m) * a / 2 + 1, qint64(m) * a + 10, m}, "N");
}

TDemoQuestion Energy(TDemoRandom &r, const QString &format)
{
    if (format == Digits) {
        const int m = 2 * r.Between(1, 20), v = r.Between(2, 12);
        return NumberQuestion(r, format,
                              QStringLiteral("A body of mass %1 kg moves at %2 m/s.\nWhat is its kinetic energy?").arg(m).arg(v),
                              qint64(m) * v * v / 2, 0, {}, "J");
    }
    const int f = 5 * r.Between(2, 40), s = r.Between(2, 25);
    const qint64 w = qint64(f) * s;
    return NumberQuestion(r, format,
                          QStringLiteral("A force of %1 N pushes a box %2 m along its direction.\nHow much work does it do?").arg(f).arg(s),
                          w, 0, {f + s, w / 2, w * 2, w + f, w - s, qint64(f) * (s + 1)}, "J");
}

TDemoQuestion Density(TDemoRandom &r, const QString &format)
{
    static const QList<QPair<QString, int>> materials{{"aluminium", 27}, {"iron", 78}, {"copper", 89}, {"lead", 113}, {"ice", 9},
                                                      {"glass", 25}};
    const auto material = r.Pick(materials); // density in tenths of g/cm³
    const int volume = r.Between(2, 40);
    if (format == Digits)
        return NumberQuestion(r, format,
                              QStringLiteral("A block of %1 has a volume of %2 cm³ and a mass of %3 g.\nWhat is its density?")
                                  .arg(material.first)
                                  .arg(volume)
                                  .arg(Decimal(qint64(material.second) * volume, 1)),
                              material.second, 1, {}, "g/cm³");
    const qint64 mass = qint64(material.second) * volume; // tenths of a gram
    return NumberQuestion(r, format,
                          QStringLiteral("The density of %1 is %2 g/cm³.\nWhat is the mass of %3 cm³ of it?")
                              .arg(material.first, Decimal(material.second, 1))
                              .arg(volume),
                          mass, 1, {mass * 10, mass + 10 * volume, mass / 2, mass + material.second, qint64(volume) * 10, mass - 10}, "g");
}

TDemoQuestion Ohm(TDemoRandom &r, const QString &format)
{
    const int resistance = r.Between(2, 48), current = r.Between(1, 9);
    const qint64 voltage = qint64(resistance) * current;
    if (format == Digits)
        return NumberQuestion(r, format,
                              QStringLiteral("A current of %1 A flows through a resistor of %2 Ω.\nWhat is the voltage across it?")
                                  .arg(current)
                                  .arg(resistance),
                              voltage, 0, {}, "V");
    return NumberQuestion(r, format,
                          QStringLiteral("A voltage of %1 V is applied to a resistor of %2 Ω.\nWhat current flows?").arg(voltage).arg(resistance),
                          current, 0, {voltage, current + 1, current + 2, qint64(current) * 2, resistance, current + 10}, "A");
}

TDemoQuestion Power(TDemoRandom &r, const QString &format)
{
    const int voltage = r.Pick(QList<int>{6, 12, 24, 110, 220}), current = r.Between(1, 9);
    const qint64 power = qint64(voltage) * current;
    if (format == Digits) {
        const int hours = r.Between(2, 9);
        return NumberQuestion(r, format,
                              QStringLiteral("A %1 W lamp is switched on for %2 hours.\nHow much energy does it use (in watt-hours)?")
                                  .arg(power)
                                  .arg(hours),
                              power * hours, 0, {}, "Wh");
    }
    return NumberQuestion(r, format,
                          QStringLiteral("A device draws %1 A at %2 V.\nWhat is its power?").arg(current).arg(voltage), power, 0,
                          {voltage + current, power * 2, power / 2, power + voltage, qint64(voltage) * (current + 1), power - current}, "W");
}

TDemoQuestion Charge(TDemoRandom &r, const QString &format)
{
    const int current = r.Between(1, 9), seconds = 10 * r.Between(1, 30);
    if (format == Digits) {
        const int minutes = r.Between(2, 15);
        return NumberQuestion(r, format,
                              QStringLiteral("A current of %1 A flows for %2 minutes.\nWhat charge passes?").arg(current).arg(minutes),
                              qint64(current) * minutes * 60, 0, {}, "C");
    }
    const qint64 charge = qint64(current) * seconds;
    return NumberQuestion(r, format,
                          QStringLiteral("A current of %1 A flows for %2 s.\nWhat charge passes through the wire?").arg(current).arg(seconds),
                          charge, 0, {current + seconds, charge * 60, charge / 2, charge + seconds, charge * 2, charge + 10}, "C");
}

// ---------------------------------------------------------------------------------------------
// Units

struct TUnitStep
{
    QString from;
    QString to;
    int factor; // 1 from = factor to
};

TDemoQuestion Conversion(TDemoRandom &r, const QString &format, const QList<TUnitStep> &steps, const QString &title)
{
    if (format == Match) {
        // Three quantities in one unit, matched with their values in others.
        // Items are told apart by their text, so no two share one (3 m in cm and 3 m in mm would).
        QList<QPair<QString, QString>> pairs;
        QStringList used;
        while (pairs.size() < 3) {
            const TUnitStep step = r.Pick(steps);
            const int amount = r.Between(2, 9);
            const QString item = QStringLiteral("%1 %2").arg(amount).arg(step.from);
            const QString value = QStringLiteral("%1 %2").arg(qint64(amount) * step.factor).arg(step.to);
            if (used.contains(value) || used.contains(item))
                continue;
            used << item << value;
            pairs.append({item, value});
        }
        QStringList spare;
        for (const TUnitStep &step : steps)
            for (int amount : {1, 10, 12})
                spare.append(QStringLiteral("%1 %2").arg(qint64(amount) * step.factor).arg(step.to));
        r.Shuffle(spare);
        return MatchThree(r, title + QStringLiteral("\nMatch each quantity with the same quantity in another unit."), pairs, spare);
    }
    const TUnitStep step = r.Pick(steps);
    const int tenths = r.Between(1, 9) * 10 + (r.Between(0, 1) ? 5 : 0); // 1.0 .. 9.5
    const qint64 result = qint64(tenths) * step.factor; // in tenths of the target unit
    // The question names the unit of its answer already.
    return NumberQuestion(r, format, QStringLiteral("%1\n%2 %3 = ? %4").arg(title, Decimal(tenths, 1), step.from, step.to), result, 1,
                          {result * 10, result / 10, qint64(tenths) * step.factor / 100, result + 10 * step.factor, result / 100,
                           result * 100},
                          format == Digits ? QString() : step.to);
}

TDemoQuestion Length(TDemoRandom &r, const QString &format)
{
    return Conversion(r, format, {{"m", "cm", 100}, {"km", "m", 1000}, {"cm", "mm", 10}, {"m", "mm", 1000}},
                      QStringLiteral("Convert the length."));
}

TDemoQuestion Mass(TDemoRandom &r, const QString &format)
{
    return Conversion(r, format, {{"kg", "g", 1000}, {"t", "kg", 1000}, {"g", "mg", 1000}}, QStringLiteral("Convert the mass."));
}

TDemoQuestion Time(TDemoRandom &r, const QString &format)
{
    return Conversion(r, format, {{"h", "min", 60}, {"min", "s", 60}, {"h", "s", 3600}, {"day", "h", 24}},
                      QStringLiteral("Convert the time."));
}

TDemoQuestion QuantitiesAndUnits(TDemoRandom &r, const QString &format)
{
    static const QList<QPair<QString, QString>> facts{
        {"force", "newton"},   {"energy", "joule"},   {"power", "watt"},        {"pressure", "pascal"},
        {"voltage", "volt"},   {"current", "ampere"}, {"resistance", "ohm"},    {"frequency", "hertz"},
        {"charge", "coulomb"}, {"mass", "kilogram"},  {"temperature", "kelvin"}, {"length", "metre"}};
    QList<QPair<QString, QString>> shuffled = facts;
    r.Shuffle(shuffled);
    QStringList spare;
    for (const auto &fact : shuffled)
        spare.append(fact.second);
    if (format == Match)
        return MatchThree(r, QStringLiteral("Match each physical quantity with its SI unit."), shuffled.mid(0, 3), spare.mid(3));
    return ChooseOne(r, QStringLiteral("What is the SI unit of %1?").arg(shuffled.first().first), shuffled.first().second, spare.mid(1));
}

TDemoTopic Topic(const QString &name, int classic, int digits, int matching,
                 TDemoQuestion (*make)(TDemoRandom &, const QString &))
{
    return TDemoTopic{name, classic, digits, matching, make};
}

} // namespace

QList<TDemoSubject> DemoSubjects()
{
    return {
        {"Mathematics",
         {{QString(),
           {Topic("Natural numbers", 24, 10, 0, NaturalNumbers), Topic("Fractions and decimals", 24, 10, 0, Fractions),
            Topic("Percentages", 24, 10, 0, Percentages), Topic("Powers and roots", 24, 10, 6, Powers),
            Topic("Linear equations", 24, 10, 6, Equations), Topic("Arithmetic progressions", 24, 10, 0, Sequences)}}}},
        {"Physics",
         {{"Mechanics",
           {Topic("Speed", 16, 8, 0, Speed), Topic("Force", 16, 8, 0, Force), Topic("Work and energy", 16, 8, 0, Energy),
            Topic("Density", 16, 8, 0, Density)}},
          {"Electricity",
           {Topic("Ohm's law", 16, 8, 0, Ohm), Topic("Electric power", 16, 8, 0, Power), Topic("Electric charge", 16, 8, 0, Charge)}}}},
        {"Geometry",
         {{QString(),
           {Topic("Angles", 16, 10, 0, Angles), Topic("Perimeter", 16, 10, 0, Perimeter), Topic("Area", 16, 10, 0, Area),
            Topic("Circles", 16, 10, 0, Circles), Topic("Pythagorean theorem", 16, 10, 0, Pythagoras)}}}},
        {"Units of measurement",
         {{QString(),
           {Topic("Length", 14, 8, 6, Length), Topic("Mass", 14, 8, 6, Mass), Topic("Time", 14, 8, 6, Time),
            Topic("Quantities and their units", 10, 0, 8, QuantitiesAndUnits)}}}},
    };
}
