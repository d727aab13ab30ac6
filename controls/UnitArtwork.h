#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the client, drawn by our own code: flags, menu and tree images.
namespace Artwork {

// The flag of an interface language (0 English, 1 Azerbaijani, 2 Russian, 3 Turkish), 48 x 48.
QPixmap Flag(int languageIndex);

enum TImage {
    imgRecentFile,  // an entry of the recent list
    imgClearList,   // the clear item of the recent list
    imgMasked,      // the identifier is hidden
    imgUnmasked,    // the identifier is shown
    imgModel,       // an exam model button, 64 x 64
    imgTopicOff,    // a topic left out
    imgTopicOn,     // a topic marked
    imgRoot,        // the root of the topic tree
    imgFolder,      // a subject or sub-branch
    imgClock,       // exam time
    imgExam,        // exam title
    imgAnswered,    // a question with an answer
    imgUnanswered,  // a question without one
    imgFinish,      // finish the exam
    imgPrev,        // previous question
    imgNext,        // next question
    imgRetake,      // retake the exam
    imgReviewFlag,        // flag the question for review
    imgAnsweredFlagged,   // a question with an answer, flagged for review
    imgUnansweredFlagged, // a question without one, flagged for review
    imgNextUnanswered,    // go to the next unanswered question
    imgNextFlagged,       // go to the next flagged question
};

QIcon Icon(TImage image);

} // namespace Artwork
