<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Answers</name>
    <message>
        <source>Телефон сообщил недопустимый диапазон: </source>
        <translation>The phone reported an invalid range: </translation>
    </message>
</context>
<context>
    <name>Backup</name>
    <message>
        <source>Остановлено.</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>прочитанное с диска не совпадает с записанным</source>
        <translation>what was read back from the disk differs from what was written</translation>
    </message>
    <message>
        <source>не удалось создать папку</source>
        <translation>cannot create the folder</translation>
    </message>
    <message>
        <source>: в файле нет ни одной записи (строк PHONE и SIM): это не файл справочника</source>
        <translation>: the file holds no entries (no PHONE or SIM lines): it is not a phonebook file</translation>
    </message>
    <message>
        <source>ячейка </source>
        <translation>slot </translation>
    </message>
    <message>
        <source> уже была в строке </source>
        <translation> was already on line </translation>
    </message>
    <message>
        <source>событие </source>
        <translation>event </translation>
    </message>
    <message>
        <source> уже была у события в строке </source>
        <translation> was already taken by the event on line </translation>
    </message>
    <message>
        <source>: записей в файле </source>
        <translation>: entries in the file: </translation>
    </message>
    <message>
        <source>, а в phone.txt сказано </source>
        <translation>, but phone.txt says </translation>
    </message>
    <message>
        <source>: событий в файле </source>
        <translation>: events in the file: </translation>
    </message>
    <message>
        <source>Резервная копия не читается: </source>
        <translation>The backup cannot be read: </translation>
    </message>
</context>
<context>
    <name>ClockVerb</name>
    <message>
        <source>Телефон не сообщил время.</source>
        <translation>The phone did not report its time.</translation>
    </message>
</context>
<context>
    <name>CommandFields</name>
    <message>
        <source>недопустимый знак </source>
        <translation>character not allowed: </translation>
    </message>
    <message>
        <source> в «</source>
        <translation> in “</translation>
    </message>
    <message>
        <source>: недопустимый знак , в «</source>
        <translation>: character not allowed: , in “</translation>
    </message>
</context>
<context>
    <name>ConnectionLost</name>
    <message>
        <source>Связь с телефоном потеряна (%1).</source>
        <translation>Lost the connection to the phone (%1).</translation>
    </message>
    <message>
        <source>В списке только то, что прочитано до этого: %1.</source>
        <translation>The list holds only what was read before: %1.</translation>
    </message>
</context>
<context>
    <name>Counts</name>
    <message>
        <source>запись</source>
        <translation>entry</translation>
    </message>
    <message>
        <source>записи</source>
        <translation>entries</translation>
    </message>
    <message>
        <source>записей</source>
        <translation>entries</translation>
    </message>
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
        <translation>Delete past events automatically</translation>
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
    <name>DatebookVerb</name>
    <message>
        <source>Свободно: </source>
        <translation>Free: </translation>
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
    <name>EntryCodec</name>
    <message>
        <source>номер записи </source>
        <translation>number of entry </translation>
    </message>
    <message>
        <source>: знаки вне UCS2 (эмодзи) телефон не хранит, записаны как «?»</source>
        <translation>: the phone cannot store characters outside UCS-2 (emoji); they were written as &quot;?&quot;</translation>
    </message>
    <message>
        <source>Знаки вне UCS2 (эмодзи) телефон не хранит, записаны как «?»: </source>
        <translation>The phone cannot store characters outside UCS-2 (emoji); they were written as &quot;?&quot;: </translation>
    </message>
</context>
<context>
    <name>IMelody</name>
    <message>
        <source>Ошибка в мелодии iMelody, строка </source>
        <translation>Error in the iMelody tune, line </translation>
    </message>
    <message>
        <source>знак </source>
        <translation>character </translation>
    </message>
    <message>
        <source>блок повтора не закрыт (нет «@n)»)</source>
        <translation>repeat block not closed (no &quot;@n)&quot;)</translation>
    </message>
    <message>
        <source>«@» вне блока повтора</source>
        <translation>&quot;@&quot; outside a repeat block</translation>
    </message>
    <message>
        <source>«)» без «(»</source>
        <translation>&quot;)&quot; without &quot;(&quot;</translation>
    </message>
    <message>
        <source>после «*» нужна октава 0-8</source>
        <translation>&quot;*&quot; must be followed by an octave 0-8</translation>
    </message>
    <message>
        <source>блоки повтора вложены глубже </source>
        <translation>repeat blocks nested deeper than </translation>
    </message>
    <message>
        <source> уровней</source>
        <translation> levels</translation>
    </message>
    <message>
        <source>после «@» нужно число повторов</source>
        <translation>&quot;@&quot; must be followed by a repeat count</translation>
    </message>
    <message>
        <source>блок повтора не закрыт (нет «)»)</source>
        <translation>repeat block not closed (no &quot;)&quot;)</translation>
    </message>
    <message>
        <source>громкость должна быть V0-V15, V+ или V-</source>
        <translation>volume must be V0-V15, V+ or V-</translation>
    </message>
    <message>
        <source>после «#» или «&amp;» нужна нота c, d, e, f, g, a или b</source>
        <translation>&quot;#&quot; or &quot;&amp;&quot; must be followed by a note c, d, e, f, g, a or b</translation>
    </message>
    <message>
        <source>непонятный знак «</source>
        <translation>unexpected character &quot;</translation>
    </message>
    <message>
        <source>нужна длительность 0-5</source>
        <translation>a duration 0-5 is required</translation>
    </message>
    <message>
        <source>нет строки BEGIN:IMELODY</source>
        <translation>no BEGIN:IMELODY line</translation>
    </message>
    <message>
        <source>непонятная строка «</source>
        <translation>unexpected line &quot;</translation>
    </message>
    <message>
        <source>ожидалась строка END:IMELODY</source>
        <translation>END:IMELODY line expected</translation>
    </message>
    <message>
        <source>BEAT должен быть числом 25-900</source>
        <translation>BEAT must be a number 25-900</translation>
    </message>
    <message>
        <source>STYLE должен быть S0-S2</source>
        <translation>STYLE must be S0-S2</translation>
    </message>
    <message>
        <source>VOLUME должен быть V0-V15</source>
        <translation>VOLUME must be V0-V15</translation>
    </message>
    <message>
        <source>вторая строка MELODY</source>
        <translation>second MELODY line</translation>
    </message>
    <message>
        <source>нет строки END:IMELODY</source>
        <translation>no END:IMELODY line</translation>
    </message>
    <message>
        <source>нет строки MELODY</source>
        <translation>no MELODY line</translation>
    </message>
    <message>
        <source>Повтор без конца (@0) играется один раз.</source>
        <translation>An endless repeat (@0) is played once.</translation>
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
    <name>MidiFile</name>
    <message>
        <source>Файл MIDI повреждён (байт </source>
        <translation>The MIDI file is damaged (byte </translation>
    </message>
    <message>
        <source>данные кончились посреди события</source>
        <translation>data ends in the middle of an event</translation>
    </message>
    <message>
        <source>число длиннее четырёх байтов</source>
        <translation>number longer than four bytes</translation>
    </message>
    <message>
        <source>байт данных без статуса</source>
        <translation>data byte without a status</translation>
    </message>
    <message>
        <source>неизвестное событие</source>
        <translation>unknown event</translation>
    </message>
    <message>
        <source>байт данных больше 127</source>
        <translation>data byte above 127</translation>
    </message>
    <message>
        <source>в файле RMID нет данных MIDI</source>
        <translation>the RMID file holds no MIDI data</translation>
    </message>
    <message>
        <source>нет заголовка MThd</source>
        <translation>no MThd header</translation>
    </message>
    <message>
        <source>заголовок короче 6 байтов</source>
        <translation>header shorter than 6 bytes</translation>
    </message>
    <message>
        <source>нулевое деление четверти</source>
        <translation>zero ticks per quarter note</translation>
    </message>
    <message>
        <source>в файле нет дорожек MTrk</source>
        <translation>the file has no MTrk tracks</translation>
    </message>
</context>
<context>
    <name>ModemManager</name>
    <message>
        <source>Порт занят службой ModemManager: она приняла телефон на </source>
        <translation>The port is held by ModemManager: it took the phone on </translation>
    </message>
    <message>
        <source> за модем и держит порт открытым. </source>
        <translation> for a modem and keeps the port open. </translation>
    </message>
    <message>
        <source>Порт занят службой ModemManager: она не отпустила </source>
        <translation>The port is held by ModemManager: it did not release </translation>
    </message>
</context>
<context>
    <name>PhoneBackup</name>
    <message>
        <source>Останавливаю…</source>
        <translation>Stopping…</translation>
    </message>
    <message>
        <source>Сведения о телефоне</source>
        <translation>Phone details</translation>
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
        <source>Архив сообщений</source>
        <translation>Message archive</translation>
    </message>
    <message>
        <source>Запись справочника</source>
        <translation>Writing the phonebook</translation>
    </message>
    <message>
        <source>Запись ежедневника</source>
        <translation>Writing the datebook</translation>
    </message>
    <message>
        <source>Сохранение того, что в телефоне</source>
        <translation>Saving what is on the phone</translation>
    </message>
    <message>
        <source>В телефоне %1 справочника и %2 ежедневника, в копии %3 и %4. Прежде чем что-то изменить, то, что в телефоне, будет сохранено в новую папку рядом с копией. Заменить содержимое телефона копией?</source>
        <translation>The phone holds %1 in the phonebook and %2 in the datebook; the backup holds %3 and %4. Before anything changes, what is on the phone will be saved to a new folder beside the backup. Replace the phone&apos;s contents with the backup?</translation>
    </message>
    <message>
        <source>Эта резервная копия неполна:<byte value="xd"/>
%1<byte value="xd"/>
Восстановить то, что в ней есть?</source>
        <translation>This backup is incomplete:<byte value="xd"/>
%1<byte value="xd"/>
Restore what it holds?</translation>
    </message>
    <message>
        <source>в копии %1</source>
        <translation>%1 in the backup</translation>
    </message>
    <message>
        <source>записано %1 (ячейки %2)</source>
        <translation>%1 written (slots %2)</translation>
    </message>
    <message>
        <source>уже были такими же %1</source>
        <translation>%1 already the same</translation>
    </message>
    <message>
        <source>удалено %1, которых нет в копии (ячейки %2)</source>
        <translation>%1 deleted that the backup lacks (slots %2)</translation>
    </message>
    <message>
        <source>: ячейки %1 в этом телефоне нет, записано в ячейку %2.</source>
        <translation>: this phone has no slot %1; written to slot %2.</translation>
    </message>
    <message>
        <source>телефон не принял ячейки %1 (в них прежнее)</source>
        <translation>the phone refused slots %1 (they keep what they held)</translation>
    </message>
    <message>
        <source>не записаны ячейки копии %1</source>
        <translation>slots %1 of the backup were not written</translation>
    </message>
    <message>
        <source>из них для ячеек %1 в телефоне нет места</source>
        <translation>of these, the phone has no room for slots %1</translation>
    </message>
    <message>
        <source>не удалены ячейки %1 (они остались в телефоне)</source>
        <translation>slots %1 were not deleted (they stay on the phone)</translation>
    </message>
    <message>
        <source>события в ячейках %1 записаны без всех пропущенных повторов</source>
        <translation>the events in slots %1 were written without all of their skipped repeats</translation>
    </message>
    <message>
        <source>: телефон не ответил на запись ячейки %1: в ней прежнее или из копии.</source>
        <translation>: the phone did not answer the write of slot %1: it holds either what it held or the backup&apos;s entry.</translation>
    </message>
    <message>
        <source>Резервная копия телефона</source>
        <translation>Phone backup</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Не удалось создать папку %1.</source>
        <translation>Cannot create the folder %1.</translation>
    </message>
    <message>
        <source>Резервная копия записана в папку %1.</source>
        <translation>The backup was written to the folder %1.</translation>
    </message>
    <message>
        <source>Резервная копия в папке %1 неполна: %2<byte value="xd"/>
</source>
        <translation>The backup in the folder %1 is incomplete: %2<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Чего в ней нет, сказано в файле MISSING.txt.</source>
        <translation>The file MISSING.txt says what it lacks.</translation>
    </message>
    <message>
        <source>Файл MISSING.txt не записан: %1<byte value="xd"/>
В ней нет: %2.</source>
        <translation>MISSING.txt was not written: %1<byte value="xd"/>
It lacks: %2.</translation>
    </message>
    <message>
        <source>В папке %1 нет резервной копии: не найден файл %2.</source>
        <translation>The folder %1 holds no backup: %2 was not found.</translation>
    </message>
    <message>
        <source>В папке %1 нет резервной копии, но в ней есть папки с копиями. Восстановить самую новую, %2?</source>
        <translation>The folder %1 holds no backup, but it holds folders with backups. Restore the newest, %2?</translation>
    </message>
    <message>
        <source>Резервная копия восстановлена.</source>
        <translation>The backup was restored.</translation>
    </message>
    <message>
        <source>Резервная копия восстановлена не полностью%1</source>
        <translation>The backup was not fully restored%1</translation>
    </message>
    <message>
        <source>То, что было в телефоне, сохранено в папке %1.</source>
        <translation>What was on the phone was saved to the folder %1.</translation>
    </message>
    <message>
        <source>Сообщения в телефон не записываются: принятыми их записать нельзя. Они остаются в messages.csv и копии архива.</source>
        <translation>Messages are not written to the phone: it cannot take them as received messages. They stay in messages.csv and the archive&apos;s copy.</translation>
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
    <message>
        <source>записи</source>
        <translation>entry</translation>
    </message>
    <message>
        <source>записей</source>
        <translation>entries</translation>
    </message>
    <message>
        <source>Перед добавлением новой записи рекомендуется прочитать записи из справочника.</source>
        <translation>It is best to read the phonebook before adding an entry.</translation>
    </message>
    <message>
        <source>Модель телефона не поддерживается: </source>
        <translation>Phone model not supported: </translation>
    </message>
    <message>
        <source>Телефон не принял запись %1: %2</source>
        <translation>The phone refused entry %1: %2</translation>
    </message>
    <message>
        <source>Запись перенесена в %1, но телефон не удалил запись %2.</source>
        <translation>The entry was moved to %1, but the phone did not delete entry %2.</translation>
    </message>
    <message>
        <source>Телефон не принял %1 из %2: %3.</source>
        <translation>The phone refused %1 of %2: %3.</translation>
    </message>
    <message>
        <source>Модель телефона не поддерживается: %1. Записи из файла не записаны.</source>
        <translation>Phone model not supported: %1. The entries from the file were not written.</translation>
    </message>
    <message>
        <source>Свободных ячеек не хватает: %1 из файла не поместится.<byte value="xd"/>
Записать те, что поместятся?</source>
        <translation>Not enough free slots: %1 from the file will not fit.<byte value="xd"/>
Write those that fit?</translation>
    </message>
    <message>
        <source>Свободных ячеек не хватает: %1 из файла не поместятся.<byte value="xd"/>
Записать те, что поместятся?</source>
        <translation>Not enough free slots: %1 from the file will not fit.<byte value="xd"/>
Write those that fit?</translation>
    </message>
    <message>
        <source>номер</source>
        <translation>number</translation>
    </message>
    <message>
        <source>номера</source>
        <translation>numbers</translation>
    </message>
    <message>
        <source>номеров</source>
        <translation>numbers</translation>
    </message>
</context>
<context>
    <name>PhoneClock</name>
    <message>
        <source>Дата и время синхронизированы!!!</source>
        <translation>Date and time synchronized.</translation>
    </message>
    <message>
        <source>Не удалось синхронизировать.</source>
        <translation>Could not synchronize.</translation>
    </message>
    <message>
        <source>Были ошибки.</source>
        <translation>There were errors.</translation>
    </message>
</context>
<context>
    <name>PhonebookCodes</name>
    <message>
        <source>Рабочий</source>
        <translation>Work</translation>
    </message>
    <message>
        <source>Домашний</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Основной</source>
        <translation>Main</translation>
    </message>
    <message>
        <source>Мобильный</source>
        <translation>Mobile</translation>
    </message>
    <message>
        <source>Факс</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>Пейджер</source>
        <translation>Pager</translation>
    </message>
    <message>
        <source>Лист рассылки</source>
        <translation>Mailing list</translation>
    </message>
    <message>
        <source>Бесшумный</source>
        <translation>Silent</translation>
    </message>
    <message>
        <source>(здесь введите номер)</source>
        <translation>(type a number here)</translation>
    </message>
    <message>
        <source>По умолчанию</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>ужасно</source>
        <translation>awful</translation>
    </message>
    <message>
        <source>дружок</source>
        <translation>buddy</translation>
    </message>
    <message>
        <source>малыш</source>
        <translation>kiddo</translation>
    </message>
    <message>
        <source>робот</source>
        <translation>robot</translation>
    </message>
    <message>
        <source>милашка</source>
        <translation>cutie</translation>
    </message>
    <message>
        <source>босс</source>
        <translation>boss</translation>
    </message>
    <message>
        <source>мерзость</source>
        <translation>yuck</translation>
    </message>
    <message>
        <source>семья</source>
        <translation>family</translation>
    </message>
    <message>
        <source>звезда</source>
        <translation>star</translation>
    </message>
    <message>
        <source>умник</source>
        <translation>brainy</translation>
    </message>
    <message>
        <source>штучка</source>
        <translation>gizmo</translation>
    </message>
    <message>
        <source>нло</source>
        <translation>UFO</translation>
    </message>
    <message>
        <source>скин</source>
        <translation>skinhead</translation>
    </message>
    <message>
        <source>фанат</source>
        <translation>fan</translation>
    </message>
    <message>
        <source>очарование</source>
        <translation>charm</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>PhonebookFile</name>
    <message>
        <source>Файл прочитан как UTF-8.</source>
        <translation>The file was read as UTF-8.</translation>
    </message>
    <message>
        <source>номер</source>
        <translation>number</translation>
    </message>
    <message>
        <source>строка </source>
        <translation>line </translation>
    </message>
    <message>
        <source>В %1 записи есть буквы, которых нет в кодировке Windows-1251: они сохранены как «?». Полностью их сохраняют vCard и резервная копия.</source>
        <translation>Entries with letters that Windows-1251 cannot hold: %1. They were saved as &quot;?&quot;; vCard and backups keep them in full.</translation>
    </message>
    <message>
        <source>В %1 записях есть буквы, которых нет в кодировке Windows-1251: они сохранены как «?». Полностью их сохраняют vCard и резервная копия.</source>
        <translation>Entries with letters that Windows-1251 cannot hold: %1. They were saved as &quot;?&quot;; vCard and backups keep them in full.</translation>
    </message>
    <message>
        <source>Файл не может хранить &quot;;&quot;, переводы строк и управляющие знаки: в именах и номерах &quot;;&quot; заменена на &quot;,&quot;, остальные на пробел. Изменено записей: %1 (ячейки %2).</source>
        <translation>The file cannot hold &quot;;&quot;, line breaks or control characters: in names and numbers &quot;;&quot; was replaced by &quot;,&quot; and the others by a space. Entries changed: %1 (slots %2).</translation>
    </message>
    <message>
        <source>Продолжить запись?</source>
        <translation>Continue writing?</translation>
    </message>
    <message>
        <source>не подключен</source>
        <translation>not connected</translation>
    </message>
</context>
<context>
    <name>PhonebookRead</name>
    <message>
        <source>Нет доступа а справочнику.</source>
        <translation>Cannot lock the phonebook.</translation>
    </message>
    <message>
        <source>Невозможно получить информацию о записях.</source>
        <translation>Cannot get the phonebook layout from the phone.</translation>
    </message>
    <message>
        <source>Не удалось прочитать записи: </source>
        <translation>Could not read entries: </translation>
    </message>
    <message>
        <source>Телефон отказал в кодировке UCS2.</source>
        <translation>The phone refused the UCS-2 character set.</translation>
    </message>
    <message>
        <source>: модель не проверена; записи пишутся в 16 полях, как у C650 и V300.</source>
        <translation>: model not tested; entries are written in 16 fields, as on the C650 and V300.</translation>
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
    <name>PhonebookWrite</name>
    <message>
        <source>Вы уверены, что хотите прервать<byte value="xd"/>
запись данных в телефон?!</source>
        <translation>Are you sure you want to stop<byte value="xd"/>
writing to the phone?</translation>
    </message>
    <message>
        <source>Номер записи %1 вне справочника: номера записей от 1 до %2.</source>
        <translation>Entry %1 is outside the phonebook: entries are numbered 1 to %2.</translation>
    </message>
    <message>
        <source>Модель телефона не поддерживается: </source>
        <translation>Phone model not supported: </translation>
    </message>
    <message>
        <source>Телефон не удалил записи: </source>
        <translation>The phone did not delete entries: </translation>
    </message>
</context>
<context>
    <name>PortHolders</name>
    <message>
        <source>Запустите orlin-cli с параметром --inhibit-modemmanager (ModemManager отпустит порт, пока orlin-cli работает), или установите правило udev 60-orlin.rules, с которым ModemManager не трогает телефоны Motorola (см. README).</source>
        <translation>Run orlin-cli with --inhibit-modemmanager (ModemManager releases the port while orlin-cli runs), or install the udev rule 60-orlin.rules, which keeps ModemManager away from Motorola phones (see the README).</translation>
    </message>
    <message>
        <source>системная шина недоступна</source>
        <translation>the system bus is not available</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>нет ответа</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>занят службой </source>
        <translation>held by </translation>
    </message>
    <message>
        <source>занят</source>
        <translation>busy</translation>
    </message>
    <message>
        <source>нет доступа</source>
        <translation>no access</translation>
    </message>
    <message>
        <source>нет доступа: </source>
        <translation>no access: </translation>
    </message>
    <message>
        <source>нет такого порта</source>
        <translation>no such port</translation>
    </message>
    <message>
        <source>не последовательный порт</source>
        <translation>not a serial port</translation>
    </message>
    <message>
        <source>отвечает на AT</source>
        <translation>answers AT</translation>
    </message>
    <message>
        <source>на AT ответил </source>
        <translation>answered AT with </translation>
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
    <message>
        <source>Orlin может попросить ModemManager отпустить порт, пока программа работает; или установите правило udev 60-orlin.rules, с которым ModemManager не трогает телефоны Motorola (см. README).</source>
        <translation>Orlin can ask ModemManager to release the port while the program runs; or install the udev rule 60-orlin.rules, which keeps ModemManager away from Motorola phones (see the README).</translation>
    </message>
</context>
<context>
    <name>Restore</name>
    <message>
        <source>Телефон не принял команду </source>
        <translation>The phone refused the command </translation>
    </message>
    <message>
        <source>Модель телефона не поддерживается: </source>
        <translation>This phone model is not supported: </translation>
    </message>
</context>
<context>
    <name>SystemErrors</name>
    <message>
        <source>Нет такого файла или устройства</source>
        <translation>No such file or device</translation>
    </message>
    <message>
        <source>Нет доступа</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Устройство или ресурс занят</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Устройство не является терминалом</source>
        <translation>The device is not a terminal</translation>
    </message>
    <message>
        <source>Нет такого устройства</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Недопустимый аргумент</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>Файловая система доступна только для чтения</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>На месте файла находится папка</source>
        <translation>A folder is where the file should be</translation>
    </message>
    <message>
        <source>Часть пути не является папкой</source>
        <translation>Part of the path is not a folder</translation>
    </message>
    <message>
        <source>Нет места на диске</source>
        <translation>No space left on the disk</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Файл слишком велик</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>Нет доступа к порту: добавьте пользователя в группу dialout</source>
        <translation>No access to the port: add the user to the dialout group</translation>
    </message>
    <message>
        <source>добавьте пользователя в группу, которой принадлежит порт, и войдите в систему заново</source>
        <translation>add the user to the group that owns the port and log in again</translation>
    </message>
    <message>
        <source>добавьте пользователя в группу </source>
        <translation>add the user to the group </translation>
    </message>
    <message>
        <source> и войдите в систему заново</source>
        <translation> and log in again</translation>
    </message>
    <message>
        <source>порт открыт только владельцу (</source>
        <translation>only the owner may open the port (</translation>
    </message>
    <message>
        <source>): установите правило udev из README или спросите администратора</source>
        <translation>): install the udev rule from the README or ask the administrator</translation>
    </message>
</context>
<context>
    <name>TBlockSerial</name>
    <message>
        <source>Телефон не подключен.</source>
        <translation>The phone is not connected.</translation>
    </message>
    <message>
        <source>Ошибка по таймауту...<byte value="xd"/>
Установите большее значение таймаута...</source>
        <translation>The phone did not answer in time.<byte value="xd"/>
Set a longer time-out.</translation>
    </message>
    <message>
        <source>Нет доступа к порту: </source>
        <translation>No access to the port: </translation>
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
    <message>
        <source>Модель телефона не поддерживается: </source>
        <translation>Phone model not supported: </translation>
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
    <name>ThemeFile</name>
    <message>
        <source>Выберите картинку.</source>
        <translation>Choose a picture.</translation>
    </message>
    <message>
        <source>Файл картинки не существует.</source>
        <translation>The picture file does not exist.</translation>
    </message>
    <message>
        <source>Выберите заставку.</source>
        <translation>Choose a screen saver.</translation>
    </message>
    <message>
        <source>Файл заставки не существует.</source>
        <translation>The screen saver file does not exist.</translation>
    </message>
    <message>
        <source>Выберите мелодию.</source>
        <translation>Choose a ring tone.</translation>
    </message>
    <message>
        <source>Файл мелодии не существует.</source>
        <translation>The ring tone file does not exist.</translation>
    </message>
    <message>
        <source>В пути нет имени файла: </source>
        <translation>The path has no file name: </translation>
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
<context>
    <name>Tone</name>
    <message>
        <source>Это не мелодия MIDI (.mid) и не iMelody (.imy): формат не распознан</source>
        <translation>Neither a MIDI (.mid) nor an iMelody (.imy) tune: unknown format</translation>
    </message>
    <message>
        <source>Мелодия длиннее 10 минут: играются только первые 10 минут.</source>
        <translation>The tune is longer than 10 minutes: only the first 10 minutes are played.</translation>
    </message>
    <message>
        <source>В мелодии больше </source>
        <translation>The tune has more than </translation>
    </message>
    <message>
        <source> событий: играется только их начало.</source>
        <translation> events: only the first ones are played.</translation>
    </message>
</context>
<context>
    <name>TonePlayer</name>
    <message>
        <source>Мелодия не открыта.</source>
        <translation>No tune is open.</translation>
    </message>
    <message>
        <source>Нет звукового устройства.</source>
        <translation>No sound device.</translation>
    </message>
</context>
<context>
    <name>ToneSynth</name>
    <message>
        <source>Нет звукового шрифта, названного в ORLIN_SOUNDFONT: </source>
        <translation>The sound font named in ORLIN_SOUNDFONT does not exist: </translation>
    </message>
    <message>
        <source>Нет звукового шрифта General MIDI (пакет timgm6mb-soundfont или файл .sf2 в ORLIN_SOUNDFONT)</source>
        <translation>No General MIDI sound font (install timgm6mb-soundfont or name an .sf2 file in ORLIN_SOUNDFONT)</translation>
    </message>
    <message>
        <source>Это не звуковой шрифт SoundFont: </source>
        <translation>Not a SoundFont sound font: </translation>
    </message>
    <message>
        <source>Не удалось загрузить звуковой шрифт </source>
        <translation>Could not load the sound font </translation>
    </message>
</context>
<context>
    <name>UsbAdapters</name>
    <message>
        <source>порт не создан: адаптер занял brltty (служба брайлевских дисплеев). Если брайлевский дисплей не нужен, удалите его (sudo apt remove brltty) или отключите его правило (sudo systemctl mask brltty-udev.service) и переподключите кабель</source>
        <translation>no port was created: brltty (the braille display service) took the adapter. If you have no braille display, remove it (sudo apt remove brltty) or turn off its rule (sudo systemctl mask brltty-udev.service) and plug the cable in again</translation>
    </message>
    <message>
        <source>порт не создан: драйвер адаптера не загружен</source>
        <translation>no port was created: the adapter&apos;s driver is not loaded</translation>
    </message>
</context>
<context>
    <name>VCardImport</name>
    <message>
        <source>(без имени)</source>
        <translation>(no name)</translation>
    </message>
    <message>
        <source>: в карточке нет ни номера, ни адреса</source>
        <translation>: the card has no number or address</translation>
    </message>
    <message>
        <source>: имя сокращено до </source>
        <translation>: name shortened to </translation>
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
        <source>: ячейка %1 хранит теперь другое: записано в свободные ячейки</source>
        <translation>: slot %1 now holds something else: written to free slots</translation>
    </message>
    <message>
        <source>: это не номер телефона: не записано</source>
        <translation>: not a phone number: not written</translation>
    </message>
    <message>
        <source>: не записано</source>
        <translation>: not written</translation>
    </message>
    <message>
        <source>: нет свободной ячейки</source>
        <translation>: no free slot</translation>
    </message>
    <message>
        <source>уже есть в телефоне (то же имя и номер), не записано: </source>
        <translation>already in the phone (same name and number), not written: </translation>
    </message>
    <message>
        <source>Не всё из файла vCard удалось перенести в телефон как есть:</source>
        <translation>Not everything in the vCard file could go to the phone as it was:</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>Файл слишком велик: больше </source>
        <translation>The file is too large: over </translation>
    </message>
    <message>
        <source> МБ</source>
        <translation> MB</translation>
    </message>
    <message>
        <source> КБ</source>
        <translation> KB</translation>
    </message>
    <message>
        <source>Это не обычный файл (устройство, канал или сокет)</source>
        <translation>Not a regular file (a device, pipe or socket)</translation>
    </message>
</context>
<context>
    <name>WriteBrokenOff</name>
    <message>
        <source>В телефон ничего не записано.</source>
        <translation>Nothing was written to the phone.</translation>
    </message>
    <message>
        <source>В телефон записано %1 из %2 (ячейки %3).</source>
        <translation>%1 of %2 entries were written to the phone (slots %3).</translation>
    </message>
    <message>
        <source>Ячейка %1: ответ телефона не пришёл, проверьте её после чтения.</source>
        <translation>Slot %1: the phone&apos;s answer never came; check that slot after the next read.</translation>
    </message>
    <message>
        <source>Не отправлены: ячейки %1.</source>
        <translation>Not sent: slots %1.</translation>
    </message>
    <message>
        <source>Телефон не принял: ячейки %1.</source>
        <translation>The phone did not take slots %1.</translation>
    </message>
</context>
</TS>
