#pragma once

#include <QtGlobal>

// What an exam file may hold at most. A real exam has a handful of subjects with two or three
// parts each, a few hundred questions and a picture of some tens of KB per question: about 20 MB
// inflated. The limits sit far above that, and keep a hostile file (zlib inflates repetitive data
// about a thousand times, and a record of a few bytes becomes an object of a hundred) from costing
// more than a few tens of MB and a fraction of a second beyond the pictures it really holds.
// A file over any of them is a damaged file.
namespace ExamFileLimits {

// The whole value stream, pictures included: eight times a real exam, and what zlib inflates
// in well under a second.
constexpr qint64 MaxInflatedBytes = qint64(160) << 20;
constexpr qint64 MaxPictureBytes = qint64(16) << 20;
constexpr qint64 MaxSubjects = 256;
constexpr qint64 MaxPartsPerSubject = 64;
// Question ids and pictures.
constexpr qint64 MaxQuestions = 10000;
// The characters of all texts together: names, formats, answers (2 bytes each in memory).
constexpr qint64 MaxTextCharacters = qint64(4) << 20;

} // namespace ExamFileLimits
