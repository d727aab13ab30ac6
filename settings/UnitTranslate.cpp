#include "UnitTranslate.h"

#include <algorithm>
#include <iterator>

namespace {

struct TRow
{
    qint32 row;
    const char16_t *text[LanguageCount]; // English, Azerbaijani, Russian, Turkish
};

// Sorted by row; the numbering has gaps on purpose, the rows are fixed identifiers.
constexpr TRow Table[] = {
    {0, {u"Start page", u"Başlanğıc səhifə", u"Начальная страница", u"Başlangıç sayfası"}},
    {1, {u"New exam", u"Yeni imtahan", u"Новый экзамен", u"Yeni sınav"}},
    {2, {u"Open the exam", u"İmtahanı aç", u"Открыть экзамен", u"Sınavı aç"}},
    {3, {u"Save exam", u"İmtahanı yadda saxla", u"Сохранить экзамен", u"Sınavı kaydet"}},
    {4, {u"Save exam as", u"İmtahanı qeyd edin", u"Сохранить экзамен как", u"Sınavı farklı kaydet"}},
    {5, {u"Close exam", u"İmtahanı bağla", u"Закрыть экзамен", u"Sınavı kapat"}},
    {6, {u"Exit", u"Çıxış", u"Выход", u"Çıkış"}},
    {7, {u"Could not connect to network!", u"Şəbəkəyə qoşulmaq mümkün olmadı!", u"Не удалось подключиться к сети!",
         u"Ağa bağlanılamadı!"}},
    {8, {u"Reopen", u"Yenidən aç", u"Открыть заново", u"Yeniden aç"}},
    {9, {u"\"Tavelko\" - online exam software", u"\"Tavelko\" - onlayn imtahan proqramı",
         u"\"Tavelko\" - программа для онлайн-экзаменов", u"\"Tavelko\" - çevrimiçi sınav yazılımı"}},
    {10, {u"Select interface language", u"İnterfeys dilini seçin", u"Выберите язык интерфейса",
          u"Arayüz dilini seçin"}},
    {11, {u"Your automatic identifier", u"Avtomatik identifikatorunuz", u"Ваш автоматический идентификатор",
          u"Otomatik tanımlayıcınız"}},
    {12, {u"Downloading started!", u"Yükləmə başladı!", u"Загрузка началась!", u"İndirme başladı!"}},
    {13, {u"Select exam model", u"İmtahan modelini seçin", u"Выберите модель экзамена", u"Sınav modeli seçin"}},
    {14, {u"Downloading exam models and database structure!",
          u"İmtahan modelləri və verilənlər bazası strukturu endirilir!",
          u"Скачивание моделей экзаменов и структуры базы данных!",
          u"Sınav modelleri ve veritabanı yapısı indiriliyor!"}},
    {15, {u"%s {Duration: %s}", u"%s {Müddəti: %s}", u"%s {Продолжительность: %s}", u"%s {Süre: %s}"}},
    {16, {u"Downloading exam model!", u"İmtahan modeli yüklənir!", u"Скачивание экзаменационной модели!",
          u"Sınav modeli indiriliyor!"}},
    {17, {u"From the list on the right, select up to the topic you know for each subject.\r\n"
          u"Exam questions are randomly selected from these topics.\r\n"
          u"After making your selection, click on the \"Create exam\" button.",
          u"Sağdakı siyahıdan hər bir mövzu üçün bildiyiniz mövzunu seçin.\r\n"
          u"İmtahan sualları bu mövzular arasından təsadüfi seçilir.\r\n"
          u"Seçiminizi etdikdən sonra “İmtahanı yarat” düyməsini sıxın.",
          u"Из списка справа выберите известную вам тему по каждому предмету.\r\n"
          u"Экзаменационные вопросы выбираются случайным образом из этих тем.\r\n"
          u"Сделав свой выбор, нажмите кнопку «Создать экзамен».",
          u"Sağdaki listeden her ders için bildiğiniz konuyu seçin.\r\n"
          u"Sınav soruları bu konulardan rastgele seçilmektedir.\r\n"
          u"Seçiminizi yaptıktan sonra “Sınav oluştur” butonuna tıklayınız."}},
    {18, {u"Start exam", u"İmtahana başlayın", u"Начать экзамен", u"Sınava başla"}},
    {19, {u"It was not possible to prepare the exam questions under the given conditions!",
          u"Verilmiş şərtlərlə imtahan suallarını hazırlamaq mümkün olmadı!",
          u"В данных условиях подготовить экзаменационные вопросы было невозможно!",
          u"Sınav sorularını verilen koşullarda hazırlamak mümkün olmadı!"}},
    {20, {u"Create exam", u"İmtahanı yarat", u"Создать экзамен", u"Sınav oluştur"}},
    {21, {u"Until we prepare the exam, you can be busy with other things on the computer...",
          u"Biz imtahanı hazırlayana qədər kompüterdə başqa işlərlə məşğul ola bilərsiniz...",
          u"Пока мы не подготовим экзамен, вы можете заняться другими делами на компьютере...",
          u"Biz sınava hazırlanana kadar siz bilgisayar başında başka şeylerle meşgul olabilirsiniz..."}},
    {22, {u"Exam questions are being downloaded!", u"İmtahan sualları endirilir!",
          u"Экзаменационные вопросы загружаются!", u"Sınav soruları indiriliyor!"}},
    {23, {u"Subject: \"%s\", question number: %d", u"Fənn: \"%s\", sual nömrəsi: %d",
          u"Предмет: \"%s\", номер вопроса: %d", u"Ders: %s, soru numarası: %d"}},
    {24, {u"There are %d unanswered questions!", u"%d sayda cavablandırmadığınız sual var!",
          u"Осталось %d вопросов без ответов!", u"%d cevaplanmamış soru var!"}},
    {25, {u"Shall we finish the exam?", u"İmtahanı bitirək?", u"Закончим экзамен?", u"Sınavı bitirelim mi?"}},
    {26, {u"EXAM RESULT: %.2f points; Correct %d; Incorrect %d; Unanswered %d",
          u"İMTAHAN NƏTİCƏSİ: %.2f bal; Doğru %d; Yanlış %d; Cavabsız %d",
          u"РЕЗУЛЬТАТ ЭКЗАМЕНА: %.2f балла; Правильных ответов %d; Неправильных ответов %d; Без ответа %d",
          u"SINAV SONUCU: %.2f puan; Doğru %d; Yanlış %d; Cevapsız %d"}},
    {27, {u"\"%s\": %.2f points; Correct %d; Incorrect %d; Unanswered %d",
          u"\"%s\": %.2f bal; Doğru %d; Yanlış %d; Cavabsız %d",
          u"\"%s\": %.2f балла; Правильных ответов %d; Неправильных ответов %d; Без ответа %d",
          u"\"%s\": %.2f puan; Doğru %d; Yanlış %d; Cevapsız %d"}},
    {28, {u"Abort", u"Dayandırmaq", u"Прервать", u"İptal etmek"}},
    {29, {u"You can write and submit your complaints or suggestions about the question here (up to 255 characters).",
          u"Sual haqqında şikayət və ya təkliflərinizi bura yazıb göndərin (ən çoxu 255 simvol)",
          u"Вы можете написать и отправить свои жалобы или предложения по вопросу здесь (до 255 символов).",
          u"Soru ile ilgili şikayet veya önerilerinizi buraya (255 karaktere kadar) yazıp iletebilirsiniz."}},
    {30, {u"Complaint and suggestions", u"Şikayət və təkliflər", u"Жалобы и предложения", u"Şikayet ve öneriler"}},
    {31, {u"Send", u"Göndər", u"Отправить", u"Gönder"}},
    {32, {u"Cancel", u"İmtina", u"Отменить", u"İptal"}},
    {33, {u"Correct answer: %s; Your answer: %s", u"Düzgün cavab: %s; Cavabınız: %s",
          u"Правильный ответ: %s; Ваш ответ: %s", u"Doğru cevap: %s; Verdiğiniz cevap: %s"}},
    {34, {u"Your complaint or suggestion regarding the question will be sent! Shall we continue?",
          u"Sual haqqında şikayət və ya təklifiniz göndəriləcək! Davam edək?",
          u"Ваше жалоба или предложение по вопросу будет отправлено! Продолжим?",
          u"Soruyla ilgili şikayet veya öneriniz gönderilecek! Devam edelim mi?"}},
    {35, {u"Your complaint or suggestion has been sent for consideration!",
          u"Şikayət və ya təklifiniz baxılmaq üçün göndərildi!",
          u"Ваша жалоба или предложение были отправлены на рассмотрение!",
          u"Şikayet veya öneriniz inceleme için gönderildi!"}},
    {36, {u"We must finalize the exam as the allocated time for the exam has ended!",
          u"İmtahan üçün ayrılmış vaxt bitdiyindən imtahanı yekunlaşdırmalıyıq!",
          u"Мы должны завершить экзамен, так как отведенное время на экзамен истекло!",
          u"İmtihan için ayrılan süre tamamlandığından dolayı sınavı tamamlamalıyız!"}},
    {37, {u"You cannot proceed to the next operation because the current operation is not finished!",
          u"Cari əməliyyat bitmədiyi üçün növbəti əməliyyata keçə bilməzsiniz!",
          u"Вы не можете перейти к следующей операции, потому что текущая операция не завершена!",
          u"Geçerli işlem tamamlanmadığı için bir sonraki işleme geçemezsiniz!"}},
    {38, {u"Are you sure you want to return to the start page?",
          u"Başlanğıc səhifəsinə qayıtmağınızdan əminsiniz?",
          u"Вы уверены, что хотите вернуться на стартовую страницу?",
          u"Başlangıç sayfasına dönmek istediğinizden emin misiniz?"}},
    {39, {u"Are you sure you want to create a new exam?", u"Yeni imtahan yaratmağa əminsiniz?",
          u"Вы уверены, что хотите создать новый экзамен?",
          u"Yeni bir sınav oluşturmak istediğinizden emin misiniz?"}},
    {40, {u"Are you sure you want to close the current exam?", u"Cari imtahanı bağlamağa əminsiniz?",
          u"Вы уверены, что хотите закрыть текущий экзамен?",
          u"Mevcut sınavı kapatmak istediğinizden emin misiniz?"}},
    {41, {u"There are no exams to save!", u"Yadda saxlamaq üçün heç bir imtahan yoxdur!",
          u"Нет ни одного экзамена для сохранения!", u"Kaydedilecek hiçbir sınav yok!"}},
    {42, {u"Clear", u"Təmizləmək", u"Очистить", u"Temizlemek"}},
    {43, {u"Retake the same exam", u"Eyni imatahanı yenidən vermək", u"Пересдать тот же экзамен",
          u"Aynı sınavı tekrar almak"}},
    {44, {u"Exam: %s; Duration: %s; Remaining time: %s", u"İmtahan: %s; Müddəti: %s; Qalan vaxt: %s",
          u"Экзамен: %s; Длительность: %s; Оставшееся время: %s", u"Sınav: %s; Süre: %s; Kalan zaman: %s"}},
    {45, {u"Do you want to retake the exam?", u"İmatahnı yenidən vermək istəyirsiniz?",
          u"Хотите пересдать экзамен?", u"Sınavı tekrarlamak istiyor musunuz?"}},
    {46, {u"Do you want to save the current exam?", u"Cari imtahanı yadda saxlamaq istəyirsiniz?",
          u"Вы хотите сохранить текущий экзамен?", u"Mevcut sınavı kaydetmek istiyor musunuz?"}},
    {47, {u"Delete recent list?", u"Son siyahı silinsin?", u"Удалить недавний список?", u"Son liste silinsin mi?"}},
    {48, {u"Exam not found!", u"İmtahan tapılmadı!", u"Экзамен не найден!", u"Sınav bulunamadı!"}},
    {49, {u"Are you sure about leaving the program?", u"Proqramdan çıxmağa əminsiniz?",
          u"Вы уверены, что хотите выйти из программы?", u"Programdan çıkmak konusunda emin misiniz?"}},
    {50, {u"Downloading exam models!", u"İmtahan modelləri endirilir!", u"Скачивание моделей экзаменов!",
          u"Sınav modelleri indiriliyor!"}},
    {51, {u"The exam model is no longer supported!", u"İmtahan modeli artıq dəstəklənmir!",
          u"Модель экзамена больше не поддерживается!", u"İmtahan modeli artık desteklenmiyor!"}},
    {53, {u"Exam model", u"İmtahan modeli", u"Модель экзамена", u"Sınav modeli"}},
    {54, {u"Duration", u"Müddət", u"Продолжительность", u"Süre"}},
    {55, {u"Remaining time", u"Qalan vaxt", u"Оставшееся время", u"Kalan süre"}},
    {56, {u"Past time", u"Keçən vaxt", u"Прошедшее время", u"Geçmiş zaman"}},
    {57, {u"What should we do?", u"Nə edək?", u"Что мы должны делать?", u"Ne yapalım?"}},
    {59, {u"Count of questions", u"Sualların sayı", u"Количество вопросов", u"Soru sayısı"}},
    {60, {u"Number of answered", u"Cavablanmış say", u"Количество отвеченных", u"Yanıtlanan sayı"}},
    {61, {u"Number of unanswered", u"Cavablanmamış say", u"Количество неотвеченных", u"Yanıtlanmamış sayı"}},
    {62, {u"Retake this exam", u"Bu imtahanı təkrar ver", u"Пересдать этот экзамен", u"Bu sınavı tekrar al"}},
    {63, {u"Continue from where you left off", u"Qaldığın yerdən davam et",
          u"Продолжить с того места, где остановился", u"Kaldığın yerden devam et"}},
    {64, {u"Unexpected error. It was not possible to save the file in memory!",
          u"Gözlənilməz səhv. Faylı yaddaşda saxlamaq mümkün olmadı!",
          u"Непредвиденная ошибка. Невозможно сохранить файл в памяти!",
          u"Beklenmeyen hata. Dosyayı bellekte kaydetmek mümkün olmadı!"}},
    {65, {u"Unexpected error. It was not possible to load the file from memory!",
          u"Gözlənilməz səhv. Faylı yaddaşdan yükləmək mümkün olmadı!",
          u"Непредвиденная ошибка. Невозможно загрузить файл из памяти!",
          u"Beklenmeyen hata. Dosyayı bellekten yüklemek mümkün olmadı!"}},
    {71, {u"File", u"Fayl", u"Файл", u"Dosya"}},
    {83, {u"A new version of the program is available! Want to update?",
          u"Proqramın yeni versiyası mövcuddur! Yeniləmək istəyirsiniz?",
          u"Доступна новая версия программы! Хотите обновить?",
          u"Programın yeni bir sürümü mevcut! Güncellemek ister misiniz?"}},
    {84, {u"Unsaved exam", u"Saxlanılmamış imtahan", u"Несохранённый экзамен", u"Kaydedilmemiş sınav"}},
    {85, {u"The exam \"%s\" was not saved when the program last closed.\nAnswered: %d, unanswered: %d. Time left: %s.\nLast saved: %s.",
          u"\"%s\" imtahanı proqram sonuncu dəfə bağlananda saxlanılmamışdı.\nCavablandırılıb: %d, cavabsız: %d. Qalan vaxt: %s.\nSon saxlanma: %s.",
          u"Экзамен \"%s\" не был сохранён, когда программа закрылась в последний раз.\nОтвечено: %d, без ответа: %d. Осталось времени: %s.\nПоследнее сохранение: %s.",
          u"\"%s\" sınavı program en son kapandığında kaydedilmemişti.\nCevaplanan: %d, cevapsız: %d. Kalan süre: %s.\nSon kayıt: %s."}},
    {86, {u"Continue this exam", u"Bu imtahana davam et", u"Продолжить этот экзамен", u"Bu sınava devam et"}},
    {87, {u"Discard it", u"Ləğv et", u"Удалить его", u"Sil"}},
    {88, {u"The recovery copy of the last exam is damaged and could not be opened. It was kept as \"%s\".",
          u"Son imtahanın bərpa nüsxəsi zədəlidir və açıla bilmədi. O, \"%s\" kimi saxlanıldı.",
          u"Резервная копия последнего экзамена повреждена и не может быть открыта. Она сохранена как \"%s\".",
          u"Son sınavın kurtarma kopyası bozuk ve açılamadı. \"%s\" olarak saklandı."}},
    {89, {u"Yes", u"Bəli", u"Да", u"Evet"}},
    {90, {u"No", u"Xeyr", u"Нет", u"Hayır"}},
    {91, {u"OK", u"Oldu", u"ОК", u"Tamam"}},
    {92, {u"Cancel", u"Ləğv et", u"Отмена", u"İptal"}},
    {93, {u"Keys on the exam page:\n"
          u"A-E or 1-5: choose a letter answer (again: take it back)\n"
          u"Digits, \".\" and \"-\": write a number from the left; Backspace: take the last back\n"
          u"1, 2, 3 or Tab: choose the group of a three-group answer; A-E: mark a letter in it\n"
          u"Delete: clear the answer\n"
          u"Space, Right, Down: next question; Left, Up: previous question\n"
          u"F: flag the question for review; Shift+F: next flagged question; U: next unanswered question\n"
          u"F1: this help",
          u"İmtahan səhifəsində düymələr:\n"
          u"A-E və ya 1-5: hərfli cavabı seçin (yenidən: geri götürün)\n"
          u"Rəqəmlər, \".\" və \"-\": ədədi soldan yazın; Backspace: sonuncunu geri götürün\n"
          u"1, 2, 3 və ya Tab: üç qruplu cavabın qrupunu seçin; A-E: orada hərfi qeyd edin\n"
          u"Delete: cavabı silin\n"
          u"Boşluq, Sağa, Aşağı: növbəti sual; Sola, Yuxarı: əvvəlki sual\n"
          u"F: sualı yoxlama üçün işarələyin; Shift+F: növbəti işarələnmiş sual; U: növbəti cavabsız sual\n"
          u"F1: bu kömək",
          u"Клавиши на странице экзамена:\n"
          u"A-E или 1-5: выбрать буквенный ответ (повторно: отменить)\n"
          u"Цифры, \".\" и \"-\": записать число слева; Backspace: убрать последний знак\n"
          u"1, 2, 3 или Tab: выбрать группу ответа из трёх групп; A-E: отметить в ней букву\n"
          u"Delete: очистить ответ\n"
          u"Пробел, Вправо, Вниз: следующий вопрос; Влево, Вверх: предыдущий вопрос\n"
          u"F: отметить вопрос для проверки; Shift+F: следующий отмеченный вопрос; U: следующий вопрос без ответа\n"
          u"F1: эта справка",
          u"Sınav sayfasındaki tuşlar:\n"
          u"A-E veya 1-5: harfli cevabı seçin (tekrar: geri alın)\n"
          u"Rakamlar, \".\" ve \"-\": sayıyı soldan yazın; Backspace: sonuncuyu geri alın\n"
          u"1, 2, 3 veya Tab: üç gruplu cevabın grubunu seçin; A-E: içinde bir harf işaretleyin\n"
          u"Delete: cevabı temizleyin\n"
          u"Boşluk, Sağ, Aşağı: sonraki soru; Sol, Yukarı: önceki soru\n"
          u"F: soruyu gözden geçirmek için işaretleyin; Shift+F: sonraki işaretli soru; U: sonraki cevapsız soru\n"
          u"F1: bu yardım"}},
    {94, {u"Answer with the mouse or the keyboard (F1 shows the keys)",
          u"Siçan və ya klaviatura ilə cavab verin (F1 düymələri göstərir)",
          u"Отвечайте мышью или клавиатурой (F1 покажет клавиши)",
          u"Fare veya klavye ile cevaplayın (F1 tuşları gösterir)"}},
    {95, {u"Flag this question for review (F)", u"Bu sualı yoxlama üçün işarələyin (F)",
          u"Отметить этот вопрос для проверки (F)", u"Bu soruyu gözden geçirmek için işaretleyin (F)"}},
    {96, {u"Next unanswered question (U)", u"Növbəti cavabsız sual (U)", u"Следующий вопрос без ответа (U)",
          u"Sonraki cevapsız soru (U)"}},
    {97, {u"Next flagged question (Shift+F)", u"Növbəti işarələnmiş sual (Shift+F)",
          u"Следующий отмеченный вопрос (Shift+F)", u"Sonraki işaretli soru (Shift+F)"}},
    {98, {u"Answered: %d\nUnanswered: %d\nFlagged: %d", u"Cavablanıb: %d\nCavabsız: %d\nİşarələnib: %d",
          u"С ответом: %d\nБез ответа: %d\nОтмечено: %d", u"Cevaplanan: %d\nCevapsız: %d\nİşaretli: %d"}},
    {99, {u"%s: %d answered, %d unanswered, %d flagged", u"%s: %d cavablanıb, %d cavabsız, %d işarələnib",
          u"%s: %d с ответом, %d без ответа, %d отмечено", u"%s: %d cevaplanan, %d cevapsız, %d işaretli"}},
    {100, {u"Question %d", u"Sual %d", u"Вопрос %d", u"Soru %d"}},
    {101, {u"answered", u"cavablanıb", u"с ответом", u"cevaplandı"}},
    {102, {u"unanswered", u"cavabsız", u"без ответа", u"cevapsız"}},
    {103, {u"flagged for review", u"yoxlama üçün işarələnib", u"отмечен для проверки", u"gözden geçirmek için işaretli"}},
    {104, {u"Your practice data \"%s\" was damaged. It was kept as \"%s\" and a new store was started.",
           u"Məşq məlumatlarınız \"%s\" zədələnmişdi. O, \"%s\" kimi saxlanıldı və yeni anbar başladıldı.",
           u"Ваши данные занятий \"%s\" были повреждены. Они сохранены как \"%s\", начато новое хранилище.",
           u"Çalışma verileriniz \"%s\" bozulmuştu. \"%s\" olarak saklandı ve yeni bir depo başlatıldı."}},
    {105, {u"Your practice data \"%s\" comes from a newer version of Tavelko. It is left as it is and not used until this version is updated.",
           u"Məşq məlumatlarınız \"%s\" Tavelko-nun daha yeni versiyasındandır. O, olduğu kimi saxlanılır və bu versiya yenilənənə qədər istifadə olunmur.",
           u"Ваши данные занятий \"%s\" созданы более новой версией Tavelko. Они оставлены как есть и не используются, пока эта версия не обновлена.",
           u"Çalışma verileriniz \"%s\" Tavelko'nun daha yeni bir sürümünden. Olduğu gibi bırakıldı ve bu sürüm güncellenene kadar kullanılmıyor."}},
    {106, {u"Answer sheet", u"Cavab vərəqi", u"Бланк ответов", u"Cevap kağıdı"}},
    {107, {u"Column %d: %s", u"Sütun %d: %s", u"Столбец %d: %s", u"Sütun %d: %s"}},
    {108, {u"Group %d: %s", u"Qrup %d: %s", u"Группа %d: %s", u"Grup %d: %s"}},
    {109, {u"Result list", u"Nəticə siyahısı", u"Список результатов", u"Sonuç listesi"}},
    {110, {u"correct answer %s, your answer %s", u"düzgün cavab %s, sizin cavabınız %s", u"правильный ответ %s, ваш ответ %s",
           u"doğru cevap %s, sizin cevabınız %s"}},
    {111, {u"right", u"düzgün", u"верно", u"doğru"}},
    {112, {u"wrong", u"səhv", u"неверно", u"yanlış"}},
    {113, {u"no answer", u"cavab yoxdur", u"нет ответа", u"cevap yok"}},
    {114, {u"Review mistakes", u"Səhvlərə bax", u"Разбор ошибок", u"Hataları incele"}},
    {115, {u"Export PDF", u"PDF-ə ixrac", u"Экспорт в PDF", u"PDF olarak dışa aktar"}},
    {116, {u"Export CSV", u"CSV-yə ixrac", u"Экспорт в CSV", u"CSV olarak dışa aktar"}},
    {117, {u"All (%d)", u"Hamısı (%d)", u"Все (%d)", u"Tümü (%d)"}},
    {118, {u"Wrong (%d)", u"Səhv (%d)", u"Неверные (%d)", u"Yanlış (%d)"}},
    {119, {u"Unanswered (%d)", u"Cavabsız (%d)", u"Без ответа (%d)", u"Cevapsız (%d)"}},
    {120, {u"Flagged (%d)", u"İşarələnmiş (%d)", u"Отмеченные (%d)", u"İşaretli (%d)"}},
    {121, {u"Right (%d)", u"Düzgün (%d)", u"Верные (%d)", u"Doğru (%d)"}},
    {122, {u"Correct answer: %s", u"Düzgün cavab: %s", u"Правильный ответ: %s", u"Doğru cevap: %s"}},
    {123, {u"Your answer: %s", u"Sizin cavabınız: %s", u"Ваш ответ: %s", u"Sizin cevabınız: %s"}},
    {124, {u"Back", u"Geri", u"Назад", u"Geri"}},
    {125, {u"Progress", u"İrəliləyiş", u"Прогресс", u"İlerleme"}},
    {126, {u"Prefer questions I have not seen yet", u"Hələ görmədiyim sualları üstün tut", u"Сначала вопросы, которых я ещё не видел", u"Henüz görmediğim soruları öncelikle getir"}},
    {127, {u"Subject / topic", u"Fənn / mövzu", u"Предмет / тема", u"Ders / konu"}},
    {128, {u"Answered", u"Cavablanıb", u"С ответом", u"Cevaplanan"}},
    {129, {u"Share right", u"Düzgün payı", u"Доля верных", u"Doğru oranı"}},
    {130, {u"Trend (last exams)", u"Meyl (son imtahanlar)", u"Динамика (последние экзамены)", u"Eğilim (son sınavlar)"}},
    {131, {u"Weakest topics first", u"Ən zəif mövzular əvvəlcə", u"Сначала самые слабые темы", u"Önce en zayıf konular"}},
    {132, {u"Score per exam", u"Hər imtahan üzrə bal", u"Баллы за каждый экзамен", u"Sınav başına puan"}},
    {133, {u"Topic %d", u"Mövzu %d", u"Тема %d", u"Konu %d"}},
    {134, {u"Topic unknown", u"Mövzu bilinmir", u"Тема неизвестна", u"Konu bilinmiyor"}},
    {135, {u"No finished exams yet.", u"Hələ bitmiş imtahan yoxdur.", u"Завершённых экзаменов пока нет.", u"Henüz bitmiş sınav yok."}},
    {136, {u"Number;Subject;Topic;Correct answer;Your answer;Result;Flagged", u"Nömrə;Fənn;Mövzu;Düzgün cavab;Sizin cavabınız;Nəticə;İşarələnib", u"Номер;Предмет;Тема;Правильный ответ;Ваш ответ;Результат;Отмечен", u"Numara;Ders;Konu;Doğru cevap;Sizin cevabınız;Sonuç;İşaretli"}},
    {137, {u"Exam result: %s", u"İmtahanın nəticəsi: %s", u"Результат экзамена: %s", u"Sınav sonucu: %s"}},
    {138, {u"Finished: %s. Time used: %s.", u"Bitib: %s. İstifadə olunan vaxt: %s.", u"Завершён: %s. Затрачено времени: %s.", u"Bitti: %s. Kullanılan süre: %s."}},
    {139, {u"Subject", u"Fənn", u"Предмет", u"Ders"}},
    {140, {u"Score", u"Bal", u"Баллы", u"Puan"}},
    {141, {u"Right", u"Düzgün", u"Верно", u"Doğru"}},
    {142, {u"Wrong", u"Səhv", u"Неверно", u"Yanlış"}},
    {143, {u"Unanswered", u"Cavabsız", u"Без ответа", u"Cevapsız"}},
    {144, {u"Topic", u"Mövzu", u"Тема", u"Konu"}},
    {145, {u"Questions", u"Suallar", u"Вопросы", u"Sorular"}},
    {146, {u"Could not export: %s", u"İxrac etmək mümkün olmadı: %s", u"Не удалось экспортировать: %s", u"Dışa aktarılamadı: %s"}},
    {147, {u"Total", u"Cəmi", u"Итого", u"Toplam"}},
    {148, {u"Show this help and end.", u"Bu köməyi göstər və bitir.", u"Показать эту справку и выйти.", u"Bu yardımı göster ve çık."}},
    {149, {u"Show the version and end.", u"Versiyanı göstər və bitir.", u"Показать версию и выйти.", u"Sürümü göster ve çık."}},
    {150, {u"%s\nSee %s.", u"%s\nBaxın: %s.", u"%s\nСм. %s.", u"%s\nBakınız: %s."}},
    {151, {u"The exam file to open (a path, or a file: URL).", u"Açılacaq imtahan faylı (yol və ya file: URL).", u"Открываемый файл экзамена (путь или URL file:).", u"Açılacak sınav dosyası (yol veya file: URL)."}},
    {152, {u"Tavelko: practise exams against the clock.", u"Tavelko: vaxta qarşı imtahan məşqi.", u"Tavelko: тренировка экзаменов на время.", u"Tavelko: süreye karşı sınav alıştırması."}},
    {153, {u"Tavelko's updater: replaces Tavelko with its newest version. It takes no arguments.", u"Tavelko yeniləyicisi: Tavelko-nu ən yeni versiyası ilə əvəz edir. Arqument qəbul etmir.", u"Программа обновления Tavelko: заменяет Tavelko новейшей версией. Аргументов не принимает.", u"Tavelko güncelleyicisi: Tavelko'yu en yeni sürümüyle değiştirir. Argüman almaz."}},
    {154, {u"Unexpected argument '%s'.", u"Gözlənilməz arqument '%s'.", u"Неожиданный аргумент '%s'.", u"Beklenmeyen argüman '%s'."}},
    {155, {u"A newer version of Tavelko (%s) exists. It comes with your system's package updates.", u"Tavelko-nun daha yeni versiyası (%s) var. O, sisteminizin paket yeniləmələri ilə gəlir.", u"Существует более новая версия Tavelko (%s). Она придёт с обновлениями пакетов вашей системы.", u"Tavelko'nun daha yeni bir sürümü (%s) var. Sisteminizin paket güncellemeleriyle gelir."}},
    {156, {u"%d files could not be downloaded (%s): %s", u"%d fayl endirilə bilmədi (%s): %s", u"Не удалось загрузить файлов: %d (%s): %s",
           u"%d dosya indirilemedi (%s): %s"}},
};

constexpr const char16_t *UpdaterTable[UpdaterRowCount][LanguageCount] = {
    {u"Updater {Tavelko}", u"Yeniləyici {Tavelko}", u"Обновление {Tavelko}", u"Güncelleme {Tavelko}"},
    {u"Downloading...", u"Endirilir...", u"Загрузка...", u"İndiriliyor..."},
    {u"Abort", u"İmtina", u"Прервать", u"İptal et"},
    {u"You have the latest version of the program installed!", u"Proqramın ən son versiyası quraşdırılıb!",
     u"У вас установлена последняя версия программы!", u"Programın en son sürümü yüklü!"},
    {u"Close all open {Tavelko} programs to update!",
     u"Yeniləmək üçün bütün açıq {Tavelko} proqramlarını bağlayın!",
     u"Закройте все открытые программы {Tavelko} для обновления!",
     u"Güncellemek için tüm açık {Tavelko} programlarını kapatın!"},
    {u"The downloaded update is damaged or is not the published version. Your installed version is kept.",
     u"Endirilmiş yeniləmə zədəlidir və ya dərc olunmuş versiya deyil. Quraşdırılmış versiyanız saxlanılır.",
     u"Загруженное обновление повреждено или не является опубликованной версией. Установленная версия сохранена.",
     u"İndirilen güncelleme bozuk veya yayımlanan sürüm değil. Yüklü sürümünüz korunuyor."},
    {u"The downloaded update does not carry a valid signature of its publisher. Your installed version is kept.",
     u"Endirilmiş yeniləmədə naşirin etibarlı imzası yoxdur. Quraşdırılmış versiyanız saxlanılır.",
     u"Загруженное обновление не содержит действительной подписи издателя. Установленная версия сохранена.",
     u"İndirilen güncelleme yayıncısının geçerli imzasını taşımıyor. Yüklü sürümünüz korunuyor."},
    {u"Tavelko is installed in a folder you cannot change; its newer version comes with your system's package updates.",
     u"Tavelko dəyişdirə bilmədiyiniz qovluqda quraşdırılıb; onun yeni versiyası sisteminizin paket yeniləmələri ilə gəlir.",
     u"Tavelko установлен в папку, которую вы не можете изменить; новая версия придёт с обновлениями пакетов вашей системы.",
     u"Tavelko değiştiremeyeceğiniz bir klasöre kurulu; yeni sürümü sisteminizin paket güncellemeleriyle gelir."},
};

constexpr const char16_t *LanguageNames[LanguageCount] = {u"English", u"Azərbaycanca", u"Русский", u"Türkçe"};

qint32 gCurrentLanguage = langAzerbaijani;

bool ValidLanguage(qint32 languageIndex)
{
    return languageIndex >= 0 && languageIndex < LanguageCount;
}

const TRow *FindRow(qint32 row)
{
    const auto it = std::lower_bound(std::begin(Table), std::end(Table), row,
                                     [](const TRow &entry, qint32 wanted) { return entry.row < wanted; });
    return it != std::end(Table) && it->row == row ? it : nullptr;
}

} // namespace

QString LanguageName(qint32 languageIndex)
{
    return ValidLanguage(languageIndex) ? QString::fromUtf16(LanguageNames[languageIndex]) : QString();
}

qint32 CurrentLanguageIndex()
{
    return gCurrentLanguage;
}

void SetCurrentLanguageIndex(qint32 languageIndex, qint32 fallback)
{
    gCurrentLanguage = ValidLanguage(languageIndex) ? languageIndex : fallback;
}

QString TrIn(qint32 row, qint32 languageIndex)
{
    const TRow *entry = FindRow(row);
    if (!entry || !ValidLanguage(languageIndex))
        return {};
    return QString::fromUtf16(entry->text[languageIndex]);
}

QString Tr(qint32 row)
{
    return TrIn(row, gCurrentLanguage);
}

bool RowExists(qint32 row)
{
    return FindRow(row) != nullptr;
}

QList<qint32> TranslationRows()
{
    QList<qint32> rows;
    for (const TRow &entry : Table)
        rows.append(entry.row);
    return rows;
}

QString UpdaterTr(qint32 row, qint32 languageIndex)
{
    if (row < 0 || row >= UpdaterRowCount || !ValidLanguage(languageIndex))
        return {};
    return QString::fromUtf16(UpdaterTable[row][languageIndex]);
}

QString FormatText(const QString &templ, std::initializer_list<QVariant> args)
{
    QString result;
    result.reserve(templ.size() + 32);
    auto next = args.begin();
    auto take = [&]() { return next != args.end() ? *next++ : QVariant(); };
    for (qsizetype i = 0; i < templ.size(); ++i) {
        const QStringView rest = QStringView(templ).mid(i);
        if (rest.startsWith(u"%s")) {
            result += take().toString();
            i += 1;
        } else if (rest.startsWith(u"%d")) {
            result += QString::number(take().toLongLong());
            i += 1;
        } else if (rest.startsWith(u"%.2f")) {
            result += QString::number(take().toDouble(), 'f', 2);
            i += 3;
        } else if (rest.startsWith(u"%%")) {
            result += u'%';
            i += 1;
        } else {
            result += templ.at(i);
        }
    }
    return result;
}

QString TrFormat(qint32 row, std::initializer_list<QVariant> args)
{
    return FormatText(Tr(row), args);
}

QString ModelButtonCaption(const QString &name, const QString &duration)
{
    return TrFormat(15, {name, duration});
}

QStringList Placeholders(const QString &templ)
{
    QStringList found;
    for (qsizetype i = 0; i < templ.size(); ++i) {
        const QStringView rest = QStringView(templ).mid(i);
        if (rest.front() != u'%')
            continue;
        bool known = false;
        for (const char16_t *placeholder : {u"%s", u"%d", u"%.2f", u"%%"}) {
            if (rest.startsWith(QStringView(placeholder))) {
                found.append(QStringView(placeholder).mid(1).toString());
                i += QStringView(placeholder).size() - 1;
                known = true;
                break;
            }
        }
        if (!known)
            found.append(QStringLiteral("?") + rest.mid(1, 1).toString()); // a stray "%": broken
    }
    return found;
}

void Translate(QObject *window)
{
    if (auto *translatable = dynamic_cast<ITranslatable *>(window))
        translatable->Translate();
}
