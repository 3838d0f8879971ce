<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>DateBookTab</name>
    <message>
        <source>В файле нет событий.</source>
        <translation>The file holds no events.</translation>
    </message>
    <message>
        <source>из %1</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>Заголовок</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Начало</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Начать за ... </source>
        <translation>Reminder</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Длительность</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Повтор</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Прочитать все</source>
        <translation>Read all</translation>
    </message>
    <message>
        <source>Добавить событие</source>
        <translation>Add event</translation>
    </message>
    <message>
        <source>Редактировать</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Прочитать события</source>
        <translation>Read events</translation>
    </message>
    <message>
        <source>Очистить список</source>
        <translation>Clear list</translation>
    </message>
    <message>
        <source>Чтение записи:</source>
        <translation>Reading entry:</translation>
    </message>
    <message>
        <source>хх</source>
        <translation>xx</translation>
    </message>
    <message>
        <source>из </source>
        <translation>of </translation>
    </message>
    <message>
        <source>Свободно: </source>
        <translation>Free: </translation>
    </message>
    <message>
        <source>Показать календарь</source>
        <translation>Show calendar</translation>
    </message>
    <message>
        <source>Быстрое чтение</source>
        <translation>Quick read</translation>
    </message>
    <message>
        <source>Не спрашивать ячейки после того, как найдены все события телефона</source>
        <translation>Stop asking for slots once all of the phone&apos;s events are found</translation>
    </message>
    <message>
        <source>Автоудаление сообщений</source>
        <translation>Delete messages automatically</translation>
    </message>
    <message>
        <source>Применить параметры</source>
        <translation>Apply settings</translation>
    </message>
    <message>
        <source>Свободно: %1%</source>
        <translation>Free: %1%</translation>
    </message>
    <message>
        <source>Нет выбранной записи...</source>
        <translation>No entry selected.</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Список событий неполон: ежедневник прочитан не весь. В файл попадут только %1 из списка, а не все события телефона.<byte value="xd"/>
Записать файл?</source>
        <translation>The event list is incomplete: the datebook was not read in full. The file will hold only the %1 in the list, not all of the phone&apos;s events.<byte value="xd"/>
Write the file?</translation>
    </message>
    <message>
        <source>Телефон не ответил на запрос серийного номера: события записаны без постоянных UID.</source>
        <translation>The phone did not report its serial number: the events were written without stable UIDs.</translation>
    </message>
    <message>
        <source>Уже есть в телефоне (тот же заголовок, время и дата), не записано: </source>
        <translation>Already on the phone (same title, time and date), not written: </translation>
    </message>
    <message>
        <source>Удаление прервано: %1</source>
        <translation>Deleting stopped: %1</translation>
    </message>
    <message>
        <source>Ни одно событие не удалено.</source>
        <translation>No event was deleted.</translation>
    </message>
    <message>
        <source>Удалены события в ячейках: %1.</source>
        <translation>Deleted the events in slots: %1.</translation>
    </message>
    <message>
        <source>Не удалены: %1.</source>
        <translation>Not deleted: %1.</translation>
    </message>
</context>
<context>
    <name>DatebookEvent</name>
    <message>
        <source>вкл.</source>
        <translation>on</translation>
    </message>
    <message>
        <source>выкл.</source>
        <translation>off</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>ежедневно</source>
        <translation>daily</translation>
    </message>
    <message>
        <source>еженедельно</source>
        <translation>weekly</translation>
    </message>
    <message>
        <source>ежемесячно (день)</source>
        <translation>monthly (weekday)</translation>
    </message>
    <message>
        <source>ежемесячно (дата)</source>
        <translation>monthly (date)</translation>
    </message>
    <message>
        <source>ежегодно</source>
        <translation>yearly</translation>
    </message>
</context>
<context>
    <name>DatebookEvents</name>
    <message>
        <source>событие</source>
        <translation>event</translation>
    </message>
    <message>
        <source>события</source>
        <translation>events</translation>
    </message>
    <message>
        <source>событий</source>
        <translation>events</translation>
    </message>
</context>
<context>
    <name>DatebookICal</name>
    <message>
        <source>Файл не является файлом iCalendar.</source>
        <translation>The file is not an iCalendar file.</translation>
    </message>
    <message>
        <source>повтор </source>
        <translation>repeat </translation>
    </message>
    <message>
        <source> перенесён как «</source>
        <translation> taken as «</translation>
    </message>
    <message>
        <source>пропуск повтора «</source>
        <translation>skipped occurrence «</translation>
    </message>
    <message>
        <source>» не разобран</source>
        <translation>» not understood</translation>
    </message>
    <message>
        <source>пропущенная дата </source>
        <translation>skipped date </translation>
    </message>
    <message>
        <source> не существует: не записано</source>
        <translation> does not exist: not written</translation>
    </message>
    <message>
        <source>пропущенные даты, на которые событие не приходится, не перенесены: </source>
        <translation>skipped dates on which the event does not fall were not taken: </translation>
    </message>
    <message>
        <source>знаки заголовка, которых нет в телефоне, заменены на «?»</source>
        <translation>title characters the phone lacks were replaced with «?»</translation>
    </message>
    <message>
        <source>заголовок укорочен до </source>
        <translation>title shortened to </translation>
    </message>
    <message>
        <source>знака</source>
        <translation>character</translation>
    </message>
    <message>
        <source>знаков</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>нет времени начала: не записано</source>
        <translation>no start time: not written</translation>
    </message>
    <message>
        <source>начало </source>
        <translation>start </translation>
    </message>
    <message>
        <source>часовой пояс не распознан: время взято как есть</source>
        <translation>time zone not recognised: time taken as it is</translation>
    </message>
    <message>
        <source>конец </source>
        <translation>end </translation>
    </message>
    <message>
        <source>длительность </source>
        <translation>duration </translation>
    </message>
    <message>
        <source> мин больше года: не записано</source>
        <translation> min is over a year: not written</translation>
    </message>
    <message>
        <source> мин сокращена до 1440</source>
        <translation> min cut to 1440</translation>
    </message>
    <message>
        <source>отрицательная длительность заменена на 0</source>
        <translation>negative duration replaced with 0</translation>
    </message>
    <message>
        <source>напоминание </source>
        <translation>reminder </translation>
    </message>
    <message>
        <source>напоминание за </source>
        <translation>reminder </translation>
    </message>
    <message>
        <source> мин перенесено как за 1440 мин</source>
        <translation> min before taken as 1440 min before</translation>
    </message>
    <message>
        <source>напоминание после начала перенесено как напоминание в начале</source>
        <translation>reminder after the start taken as a reminder at the start</translation>
    </message>
    <message>
        <source>перенесено только первое напоминание</source>
        <translation>only the first reminder was taken</translation>
    </message>
    <message>
        <source>перенесено только первое правило повтора</source>
        <translation>only the first repeat rule was taken</translation>
    </message>
    <message>
        <source>добавочные даты повтора не перенесены</source>
        <translation>extra repeat dates were not taken</translation>
    </message>
    <message>
        <source>изменённое повторение перенесено как отдельное событие</source>
        <translation>changed occurrence taken as a separate event</translation>
    </message>
    <message>
        <source>: начало &quot;</source>
        <translation>: start &quot;</translation>
    </message>
    <message>
        <source>&quot; не разобрано, событие не записано</source>
        <translation>&quot; not understood, event not written</translation>
    </message>
    <message>
        <source>длительность &quot;</source>
        <translation>duration &quot;</translation>
    </message>
    <message>
        <source>&quot; не записана</source>
        <translation>&quot; not written</translation>
    </message>
    <message>
        <source>повтор с кодом </source>
        <translation>repeat with code </translation>
    </message>
    <message>
        <source> не записан</source>
        <translation> not written</translation>
    </message>
    <message>
        <source>пропуск повтора </source>
        <translation>skipped occurrence </translation>
    </message>
    <message>
        <source> записан без даты</source>
        <translation> written without a date</translation>
    </message>
    <message>
        <source>напоминание &quot;</source>
        <translation>reminder &quot;</translation>
    </message>
    <message>
        <source>&quot; не разобрано и не записано</source>
        <translation>&quot; not understood and not written</translation>
    </message>
    <message>
        <source>состояние напоминания </source>
        <translation>reminder state </translation>
    </message>
    <message>
        <source> не записано</source>
        <translation> not written</translation>
    </message>
    <message>
        <source>пропущенные даты повтора не перенесены</source>
        <translation>skipped repeat dates were not taken</translation>
    </message>
    <message>
        <source>не записано: связь с телефоном прервалась</source>
        <translation>not written: the connection to the phone was lost</translation>
    </message>
    <message>
        <source>нет свободной ячейки: не записано</source>
        <translation>no free slot: not written</translation>
    </message>
    <message>
        <source>телефон не ответил: записано ли событие в ячейку </source>
        <translation>the phone did not answer: whether the event is in slot </translation>
    </message>
    <message>
        <source>, неизвестно</source>
        <translation> is unknown</translation>
    </message>
    <message>
        <source>телефон не принял событие (</source>
        <translation>the phone refused the event (</translation>
    </message>
    <message>
        <source>Не все события перенесены в телефон как есть:<byte value="xd"/>
</source>
        <translation>Not every event went to the phone as it was:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Не все события записаны в файл как есть:<byte value="xd"/>
</source>
        <translation>Not every event went into the file as it was:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ячейка </source>
        <translation>slot </translation>
    </message>
    <message>
        <source> хранит теперь другое событие: записано в свободную</source>
        <translation> now holds another event: written to a free one</translation>
    </message>
</context>
<context>
    <name>DatebookRead</name>
    <message>
        <source>Телефон отказал в кодировке UCS2.</source>
        <translation>The phone refused the UCS2 character set.</translation>
    </message>
    <message>
        <source>Нет доступа у ежедневнику.</source>
        <translation>Cannot lock the datebook.</translation>
    </message>
    <message>
        <source>Невозможно прочитать содержимое ежедневника.</source>
        <translation>Cannot read the datebook.</translation>
    </message>
    <message>
        <source>Не удалось прочитать ячейки ежедневника: </source>
        <translation>Could not read datebook slots </translation>
    </message>
    <message>
        <source>В них могут быть события, которых нет в списке.</source>
        <translation>They may hold events missing from the list.</translation>
    </message>
</context>
<context>
    <name>DatebookSkipped</name>
    <message>
        <source>Не удалось прочитать пропущенные повторы событий в ячейках </source>
        <translation>Could not read the skipped occurrences of the events in slots </translation>
    </message>
</context>
<context>
    <name>DatebookWrite</name>
    <message>
        <source>событие в ячейке </source>
        <translation>event in slot </translation>
    </message>
    <message>
        <source>дата или время</source>
        <translation>date or time</translation>
    </message>
    <message>
        <source>поле</source>
        <translation>field</translation>
    </message>
    <message>
        <source>число</source>
        <translation>number</translation>
    </message>
    <message>
        <source>никогда не удалять</source>
        <translation>never delete</translation>
    </message>
    <message>
        <source>после 1-ой недели</source>
        <translation>after 1 week</translation>
    </message>
    <message>
        <source>после 2-х недель</source>
        <translation>after 2 weeks</translation>
    </message>
    <message>
        <source>после 4-х недель</source>
        <translation>after 4 weeks</translation>
    </message>
    <message>
        <source>после 8-и недель</source>
        <translation>after 8 weeks</translation>
    </message>
    <message>
        <source>код автоудаления</source>
        <translation>auto-delete code</translation>
    </message>
    <message>
        <source>Телефон не поддерживает блокировку ежедневника; чтение без блокировки.</source>
        <translation>The phone cannot lock the datebook; reading without a lock.</translation>
    </message>
    <message>
        <source>В ежедневнике нет свободных ячеек.</source>
        <translation>The datebook has no free slots.</translation>
    </message>
    <message>
        <source>Телефон не записал событие в ячейку </source>
        <translation>The phone did not write the event to slot </translation>
    </message>
    <message>
        <source>Ответ телефона: </source>
        <translation>The phone answered: </translation>
    </message>
    <message>
        <source>Телефон не удалил событие в ячейке </source>
        <translation>The phone did not delete the event in slot </translation>
    </message>
    <message>
        <source>Телефон не удалил события в ячейках </source>
        <translation>The phone did not delete the events in slots </translation>
    </message>
    <message>
        <source>ячейка </source>
        <translation>slot </translation>
    </message>
    <message>
        <source>знаки, которых телефон не хранит (эмодзи и другие вне UCS2), записаны как «?»</source>
        <translation>characters the phone cannot store (emoji and others beyond UCS2) written as «?»</translation>
    </message>
    <message>
        <source>Телефон не принял настройку автоудаления &quot;</source>
        <translation>The phone refused the auto-delete setting &quot;</translation>
    </message>
</context>
<context>
    <name>ImageLibrary</name>
    <message>
        <source>Невозможно загрузить orlinres.dll ...</source>
        <translation>Cannot load orlinres.dll.</translation>
    </message>
</context>
<context>
    <name>InfoTab</name>
    <message>
        <source>Подробная информация
о вашем телефоне</source>
        <translation>About your phone
in detail</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Отображать вермя</source>
        <translation>Show time</translation>
    </message>
    <message>
        <source>Компьютер:</source>
        <translation>Computer:</translation>
    </message>
    <message>
        <source>Телефон:</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>Синхронизировать</source>
        <translation>Synchronize</translation>
    </message>
    <message>
        <source>Производитель:</source>
        <translation>Manufacturer:</translation>
    </message>
    <message>
        <source>Модель телефона:</source>
        <translation>Phone model:</translation>
    </message>
    <message>
        <source>Рабочие частоты:</source>
        <translation>Bands:</translation>
    </message>
    <message>
        <source>Версия прошивки:</source>
        <translation>Firmware version:</translation>
    </message>
    <message>
        <source>Заряд аккумулятора:</source>
        <translation>Battery charge:</translation>
    </message>
    <message>
        <source>Уровень приема:</source>
        <translation>Signal strength:</translation>
    </message>
    <message>
        <source>не определён</source>
        <translation>unknown</translation>
    </message>
</context>
<context>
    <name>MessageDelete</name>
    <message>
        <source>номер сообщения</source>
        <translation>message number</translation>
    </message>
    <message>
        <source>Телефон не удалил сообщение </source>
        <translation>The phone did not delete message </translation>
    </message>
    <message>
        <source>Телефон не удалил сообщения: </source>
        <translation>The phone did not delete messages </translation>
    </message>
    <message>
        <source>Нет выбранной записи...</source>
        <translation>No entry selected.</translation>
    </message>
    <message>
        <source>Нет выделенной записи...</source>
        <translation>No entry highlighted.</translation>
    </message>
    <message>
        <source>Это сообщение из архива на компьютере: на телефоне его нет.</source>
        <translation>This message is from the archive on the computer: it is not on the phone.</translation>
    </message>
</context>
<context>
    <name>MessageExport</name>
    <message>
        <source>Номер:</source>
        <translation>Number:</translation>
    </message>
    <message>
        <source>Текст сообщения:</source>
        <translation>Message text:</translation>
    </message>
    <message>
        <source>Кодировка Windows-1251 не вмещает все символы: в </source>
        <translation>Windows-1251 cannot hold every character: in </translation>
    </message>
    <message>
        <source>сообщении</source>
        <translation>message</translation>
    </message>
    <message>
        <source>сообщениях</source>
        <translation>messages</translation>
    </message>
    <message>
        <source> они заменены на «?». Таблица CSV (UTF-8) сохраняет все символы.</source>
        <translation> they were replaced with «?». A CSV table (UTF-8) keeps every character.</translation>
    </message>
    <message>
        <source>Папка,#,Номер,Дата/Время,Тип,Размер,Статус,Текст</source>
        <translation>Folder,#,Number,Date/Time,Type,Size,Status,Text</translation>
    </message>
    <message>
        <source>#,Номер,Дата/Время,Тип,Размер,Статус,Текст</source>
        <translation>#,Number,Date/Time,Type,Size,Status,Text</translation>
    </message>
</context>
<context>
    <name>MessageFolders</name>
    <message>
        <source>Проблемы с подключением. </source>
        <translation>Connection problem. </translation>
    </message>
    <message>
        <source>Не удалось прочитать серийный номер телефона.</source>
        <translation>Could not read the phone&apos;s serial number.</translation>
    </message>
    <message>
        <source>Не удалось прочитать сообщения: </source>
        <translation>Could not read messages </translation>
    </message>
</context>
<context>
    <name>MessageRows</name>
    <message>
        <source>прочитано</source>
        <translation>read</translation>
    </message>
    <message>
        <source>не прочитано</source>
        <translation>unread</translation>
    </message>
    <message>
        <source>отправлено</source>
        <translation>sent</translation>
    </message>
    <message>
        <source>не отправлено</source>
        <translation>unsent</translation>
    </message>
    <message>
        <source>сохранено</source>
        <translation>saved</translation>
    </message>
    <message>
        <source>входящее</source>
        <translation>incoming</translation>
    </message>
    <message>
        <source>исходящее</source>
        <translation>outgoing</translation>
    </message>
    <message>
        <source>черновик</source>
        <translation>draft</translation>
    </message>
    <message>
        <source>архив</source>
        <translation>archive</translation>
    </message>
</context>
<context>
    <name>MessageSend</name>
    <message>
        <source>символ</source>
        <translation>character</translation>
    </message>
    <message>
        <source>символа</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>символов</source>
        <translation>characters</translation>
    </message>
    <message>
        <source>Текст не поместится в сообщение: в нём %1, а сообщение на языке «%2» вмещает %3. Сократите текст на %4.</source>
        <translation>The text does not fit in a message: it has %1, and a message in %2 holds %3. Shorten the text by %4.</translation>
    </message>
    <message>
        <source>Телефон не хранит %1 текста (за пределами UCS2, например эмодзи): в сообщении вместо него будет «?».</source>
        <translation>The phone cannot store %1 of the text (beyond UCS2, such as emoji): the message will have «?» in its place.</translation>
    </message>
    <message>
        <source>Телефон не хранит %1 текста (за пределами UCS2, например эмодзи): в сообщении вместо них будут «?».</source>
        <translation>The phone cannot store %1 of the text (beyond UCS2, such as emoji): the message will have «?» in their place.</translation>
    </message>
    <message>
        <source>номер получателя</source>
        <translation>recipient number</translation>
    </message>
    <message>
        <source>Невозможно записать сообщение.</source>
        <translation>Cannot write the message.</translation>
    </message>
    <message>
        <source>Сообщение записано, но не отправлено.</source>
        <translation>The message was written but not sent.</translation>
    </message>
    <message>
        <source>Сообщение записано в &quot;Иходящие&quot;.</source>
        <translation>The message was saved to the Outbox.</translation>
    </message>
    <message>
        <source>Сбой отправки...</source>
        <translation>Sending failed.</translation>
    </message>
    <message>
        <source>Сообщение отправлено и записано в &quot;Иходящие&quot;.</source>
        <translation>The message was sent and saved to the Outbox.</translation>
    </message>
    <message>
        <source>Сообщение отправлено.</source>
        <translation>The message was sent.</translation>
    </message>
    <message>
        <source>Сообщение отправлено, но не удалено из телефона.</source>
        <translation>The message was sent but not deleted from the phone.</translation>
    </message>
    <message>
        <source>номер сообщения</source>
        <translation>message number</translation>
    </message>
    <message>
        <source>Сообщение отправлено...</source>
        <translation>The message was sent.</translation>
    </message>
</context>
<context>
    <name>MessagesTab</name>
    <message>
        <source>Телефон</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>Входящие</source>
        <translation>Inbox</translation>
    </message>
    <message>
        <source>Исходящие</source>
        <translation>Outbox</translation>
    </message>
    <message>
        <source>Отправленные</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>Черновики</source>
        <translation>Drafts</translation>
    </message>
    <message>
        <source>Архив</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Таблица CSV (UTF-8) (*.csv)</source>
        <translation>CSV table (UTF-8) (*.csv)</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Дата/Время</source>
        <translation>Date/Time</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Размер</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Тема</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>Текст сообщения</source>
        <translation>Message text</translation>
    </message>
    <message>
        <source>Новое</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Удалить все</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Отправить</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>сообщение</source>
        <translation>message</translation>
    </message>
    <message>
        <source>сообщения</source>
        <translation>messages</translation>
    </message>
    <message>
        <source>сообщений</source>
        <translation>messages</translation>
    </message>
</context>
<context>
    <name>PhoneBookTab</name>
    <message>
        <source>Имя, Фамилия</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Номер телефона</source>
        <translation>Phone number</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Читать
все...</source>
        <translation>Read
all...</translation>
    </message>
    <message>
        <source>Записать
все...</source>
        <translation>Write
all...</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Занято:</source>
        <translation>Used:</translation>
    </message>
    <message>
        <source>Редактировать</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Отправить сообщение</source>
        <translation>Send message</translation>
    </message>
    <message>
        <source>Обновить список</source>
        <translation>Refresh list</translation>
    </message>
    <message>
        <source>Сохранить телефонную книгу</source>
        <translation>Save phonebook</translation>
    </message>
    <message>
        <source>Загрузить телефонную книгу</source>
        <translation>Load phonebook</translation>
    </message>
    <message>
        <source>Экспорт в vCard...</source>
        <translation>Export to vCard...</translation>
    </message>
    <message>
        <source>Импорт из vCard...</source>
        <translation>Import from vCard...</translation>
    </message>
    <message>
        <source>Иконка</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Нет выделенной записи...</source>
        <translation>No entry selected.</translation>
    </message>
    <message>
        <source>Список пуст, сохранять нечего !</source>
        <translation>The list is empty: nothing to save.</translation>
    </message>
    <message>
        <source>Пока не работает</source>
        <translation>Not available yet.</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Телефон не ответил на запрос серийного номера: карточки записаны без постоянных UID.</source>
        <translation>The phone did not report its serial number: the cards were written without permanent UIDs.</translation>
    </message>
    <message>
        <source>В файле нет карточек vCard.</source>
        <translation>The file holds no vCard cards.</translation>
    </message>
    <message>
        <source>Телефон не дал доступа к справочнику: ничего не записано.</source>
        <translation>Cannot lock the phonebook: nothing was written.</translation>
    </message>
    <message>
        <source>Телефон не принял записи: %1.</source>
        <translation>The phone refused entries %1.</translation>
    </message>
    <message>
        <source>Телефон не очистил ячейки: %1.</source>
        <translation>The phone did not clear slots %1.</translation>
    </message>
    <message>
        <source>Запись остановлена: записано %1 из %2.</source>
        <translation>Writing stopped: %1 of %2 written.</translation>
    </message>
</context>
<context>
    <name>PhonebookVerb</name>
    <message>
        <source>Список пуст, сохранять нечего !</source>
        <translation>The list is empty: nothing to save.</translation>
    </message>
</context>
<context>
    <name>QtModemManager</name>
    <message>
        <source>Попросить ModemManager отпустить порт?</source>
        <translation>Ask ModemManager to release the port?</translation>
    </message>
    <message>
        <source>системная шина недоступна</source>
        <translation>the system bus is not available</translation>
    </message>
</context>
<context>
    <name>TBlockSerial</name>
    <message>
        <source>Телефон не подключен.</source>
        <translation>The phone is not connected.</translation>
    </message>
</context>
<context>
    <name>TerminalTab</name>
    <message>
        <source>Описание команды:</source>
        <translation>Command description:</translation>
    </message>
    <message>
        <source>Команда:</source>
        <translation>Command:</translation>
    </message>
    <message>
        <source>Послать</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>[сообщение телефона] </source>
        <translation>[phone message] </translation>
    </message>
</context>
<context>
    <name>TfrmAddEvent</name>
    <message>
        <source>Новое событие</source>
        <translation>New event</translation>
    </message>
    <message>
        <source>Заголовок события:</source>
        <translation>Event title:</translation>
    </message>
    <message>
        <source>Запуск события:</source>
        <translation>Event starts:</translation>
    </message>
    <message>
        <source>Время:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Дата:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Статус:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>выключено</source>
        <translation>off</translation>
    </message>
    <message>
        <source>включено</source>
        <translation>on</translation>
    </message>
    <message>
        <source>Действия</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Длительность (мин):</source>
        <translation>Duration (min):</translation>
    </message>
    <message>
        <source>Начать за ... (мин):</source>
        <translation>Remind before (min):</translation>
    </message>
    <message>
        <source>Повтор:</source>
        <translation>Repeat:</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>ежедневно</source>
        <translation>daily</translation>
    </message>
    <message>
        <source>еженедельно</source>
        <translation>weekly</translation>
    </message>
    <message>
        <source>ежемесячно (день)</source>
        <translation>monthly (weekday)</translation>
    </message>
    <message>
        <source>ежемесячно (дата)</source>
        <translation>monthly (date)</translation>
    </message>
    <message>
        <source>ежегодно</source>
        <translation>yearly</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Введите заголовок события!</source>
        <translation>Enter the event&apos;s title.</translation>
    </message>
</context>
<context>
    <name>TfrmAddRecord</name>
    <message>
        <source>Добавить запись</source>
        <translation>Add entry</translation>
    </message>
    <message>
        <source>Номер записи:</source>
        <translation>Slot:</translation>
    </message>
    <message>
        <source>Номер телефона:</source>
        <translation>Phone number:</translation>
    </message>
    <message>
        <source>Имя, Фамилия:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Тип:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Категория:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>Иконка:</source>
        <translation>Icon:</translation>
    </message>
    <message>
        <source>Модель телефона:</source>
        <translation>Phone model:</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Модель телефона: </source>
        <translation>Phone model: </translation>
    </message>
    <message>
        <source>Добавление записи...</source>
        <translation>Add entry</translation>
    </message>
    <message>
        <source>Изменение записи...</source>
        <translation>Edit entry</translation>
    </message>
    <message>
        <source>Необходимо заполнить все поля!</source>
        <translation>Fill in every field.</translation>
    </message>
    <message>
        <source>Номер записи должен быть от 1 до %1.</source>
        <translation>The slot must be from 1 to %1.</translation>
    </message>
    <message>
        <source>Запись %1 занята (%2). Заменить её?</source>
        <translation>Slot %1 is in use (%2). Replace it?</translation>
    </message>
</context>
<context>
    <name>TfrmCommConfig</name>
    <message>
        <source>Настройка порта</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source>Не проверяется</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Нечет</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Чет</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Маркер (1)</source>
        <translation>Mark (1)</translation>
    </message>
    <message>
        <source>Пробел (0)</source>
        <translation>Space (0)</translation>
    </message>
    <message>
        <source>Аппаратное</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Отсутствует</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Выбор порта:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Скорость порта:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Биты данных:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>Четность:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>Стоповые биты:</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>Управление потоком:</source>
        <translation>Flow control:</translation>
    </message>
    <message>
        <source>Таймаут:</source>
        <translation>Time-out:</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Найти телефон</source>
        <translation>Find phone</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Последовательных портов не найдено</source>
        <translation>No serial ports found</translation>
    </message>
</context>
<context>
    <name>TfrmHelp</name>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>Терминал</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Справочник</source>
        <translation>Phonebook</translation>
    </message>
    <message>
        <source>Ежедневник</source>
        <translation>Datebook</translation>
    </message>
    <message>
        <source>Сообщения</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Темы</source>
        <translation>Themes</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Резервная копия всего телефона...</source>
        <translation>Back up the whole phone...</translation>
    </message>
    <message>
        <source>Восстановить весь телефон...</source>
        <translation>Restore the whole phone...</translation>
    </message>
    <message>
        <source>Сохранить SMS</source>
        <translation>Save SMS</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Редактировать</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Прочитать все</source>
        <translation>Read all</translation>
    </message>
    <message>
        <source>Записать все</source>
        <translation>Write all</translation>
    </message>
    <message>
        <source>Экспорт в vCard...</source>
        <translation>Export to vCard...</translation>
    </message>
    <message>
        <source>Импорт из vCard...</source>
        <translation>Import from vCard...</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Экспорт в iCalendar...</source>
        <translation>Export to iCalendar...</translation>
    </message>
    <message>
        <source>Импорт из iCalendar...</source>
        <translation>Import from iCalendar...</translation>
    </message>
    <message>
        <source>Новое</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Удалить все</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Шрифт терминала</source>
        <translation>Terminal font</translation>
    </message>
    <message>
        <source>Конфигурация порта</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source>Настройка</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Сохранить протокол обмена...</source>
        <translation>Save the phone transcript...</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Текст (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Протокол обмена с телефоном сохранён в %1. В нём есть всё, что было прочитано из телефона: контакты, события, сообщения.</source>
        <translation>The transcript of the dialogue with the phone was saved to %1. It holds everything read from the phone: contacts, events and messages.</translation>
    </message>
</context>
<context>
    <name>TfrmOption</name>
    <message>
        <source>Настройки программы...</source>
        <translation>Program options</translation>
    </message>
    <message>
        <source>Выбор формат файла для справочника</source>
        <translation>Phonebook file format</translation>
    </message>
    <message>
        <source>как в MPT</source>
        <translation>as MPT writes it</translation>
    </message>
    <message>
        <source>собственный (картинки для С450/С550)</source>
        <translation>own (pictures for C450/C550)</translation>
    </message>
    <message>
        <source>Применить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сохраняться будет в собственном формате.</source>
        <translation>Phonebooks will be saved in the program&apos;s own format.</translation>
    </message>
    <message>
        <source>Сохраняться будет как в МПТ.</source>
        <translation>Phonebooks will be saved as MPT writes them.</translation>
    </message>
</context>
<context>
    <name>TfrmSaveSMS</name>
    <message>
        <source>Новое сообщение</source>
        <translation>New message</translation>
    </message>
    <message>
        <source>Получатель:</source>
        <translation>To:</translation>
    </message>
    <message>
        <source>Текст сообщения:</source>
        <translation>Message text:</translation>
    </message>
    <message>
        <source>Осталось символов: 160</source>
        <translation>Characters left: 160</translation>
    </message>
    <message>
        <source>Действие</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Только сохранение</source>
        <translation>Save only</translation>
    </message>
    <message>
        <source>Сохранить и отправить</source>
        <translation>Save and send</translation>
    </message>
    <message>
        <source>Отправить и удалить</source>
        <translation>Send and delete</translation>
    </message>
    <message>
        <source>Язык сообщения</source>
        <translation>Message language</translation>
    </message>
    <message>
        <source>английский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>русский</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Осталось символов: %1</source>
        <translation>Characters left: %1</translation>
    </message>
    <message>
        <source>Введите номер для отправки</source>
        <translation>Enter the number to send to.</translation>
    </message>
    <message>
        <source>Сообщение пустое...</source>
        <translation>The message is empty.</translation>
    </message>
    <message>
        <source>Номер содержит недопустимые символы.</source>
        <translation>The number holds characters a phone number cannot have.</translation>
    </message>
</context>
<context>
    <name>ThemeTab</name>
    <message>
        <source>Создание файлов тем *.tcf для С-серии</source>
        <translation>Theme files (*.tcf) for the C series</translation>
    </message>
    <message>
        <source>Картинка</source>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>Заставка</source>
        <translation>Screen saver</translation>
    </message>
    <message>
        <source>Мелодия</source>
        <translation>Ring tone</translation>
    </message>
    <message>
        <source>Картинка:</source>
        <translation>Wallpaper:</translation>
    </message>
    <message>
        <source>Заставка:</source>
        <translation>Screen saver:</translation>
    </message>
    <message>
        <source>Мелодия:</source>
        <translation>Ring tone:</translation>
    </message>
    <message>
        <source>Воспроизвести</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Создать тему</source>
        <translation>Create theme</translation>
    </message>
    <message>
        <source>Выберите файл.</source>
        <translation>Choose a file.</translation>
    </message>
    <message>
        <source>файл повреждён</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>такой формат картинок здесь не читается</source>
        <translation>this picture format cannot be read here</translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>файл не читается</source>
        <translation>the file cannot be read</translation>
    </message>
    <message>
        <source>Невозможно загрузить картинку %1: %2</source>
        <translation>Cannot load the picture %1: %2</translation>
    </message>
</context>
</TS>
