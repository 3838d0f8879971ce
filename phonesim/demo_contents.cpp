// The contents of the demo phone.
#include "phonesim/phone_charset.h"
#include "phonesim/phone_state.h"

namespace orlin::phonesim {
namespace {

struct ContactSeed {
    const char* name;  // UTF-8, as the phone state keeps it
    const char* number;
    int type;
    int category;
    int icon;
};

// Phone memory: Russian, Ukrainian and Latin names, mobiles, landlines and e-mail.
const ContactSeed kPhoneContacts[] = {
    {"Иван Петров", "+79111234567", 3, 2, 1},
    {"Мама", "+79031112233", 3, 1, 7},
    {"Папа", "+79031112234", 3, 1, 7},
    {"Ольга Смирнова", "+79265550101", 3, 2, 4},
    {"Сергей Кузнецов", "84957771122", 0, 3, 5},
    {"Наталья Иванова", "+79165553311", 1, 2, 255},
    {"Алексей Соколов", "+79037776655", 3, 3, 9},
    {"Ёлка Новогодняя", "+79990001122", 2, 5, 8},
    {"Дмитрий Волков", "+79214443322", 3, 2, 3},
    {"Татьяна Морозова", "84953332211", 1, 1, 255},
    {"Олексій Шевченко", "+380501234567", 3, 2, 1},
    {"Галина Ковальчук", "+380672223344", 3, 1, 255},
    {"Юрій Бондаренко", "+380443334455", 0, 3, 5},
    {"Євген Ткаченко", "+380935556677", 3, 4, 13},
    {"Оксана Їжакевич", "+380661112200", 3, 2, 4},
    {"Ґанна Мельник", "+380977778899", 1, 1, 255},
    {"John Smith", "+441632960123", 3, 3, 5},
    {"Anna Schmidt", "+4915123456789", 3, 2, 10},
    {"Pierre Dubois", "+33612345678", 0, 3, 255},
    {"Maria Garcia", "+34612345678", 3, 2, 4},
    {"Office Fax", "84951234500", 4, 3, 255},
    {"Taxi", "+74952223344", 2, 5, 255},
    {"Pager Boris", "84957000000", 5, 3, 255},
    {"Ivan e-mail", "ivan.petrov@example.ru", 6, 2, 255},
    {"Olga e-mail", "olga@example.com", 6, 2, 255},
    {"Служба поддержки", "support@example.org", 6, 3, 255},
    {"Доктор Айболит", "+79161230000", 2, 5, 12},
    {"Бабушка", "84951112233", 1, 1, 7},
    {"Светлана", "+79097778800", 3, 4, 14},
    {"Jack O'Neil", "+12025550143", 3, 4, 11},
};

// SIM card: names and numbers only, as SIM entries carry.
const ContactSeed kSimContacts[] = {
    {"Андрей", "+79112223344", 0, 0, 0},  {"Вера", "+79113334455", 0, 0, 0},
    {"Николай", "+79114445566", 0, 0, 0}, {"Марина", "+79115556677", 0, 0, 0},
    {"Петро", "+380501112233", 0, 0, 0},  {"Іринка", "+380502223344", 0, 0, 0},
    {"Тарас", "+380503334455", 0, 0, 0},  {"Alex", "+79116667788", 0, 0, 0},
    {"Kate", "+79117778899", 0, 0, 0},    {"Voicemail", "+79168000500", 0, 0, 0},
    {"Баланс", "*100#", 0, 0, 0},         {"Ремонт", "+79118889900", 0, 0, 0},
};

const char* const kCategories[] = {"Семья", "Друзья", "Работа", "VIP", "Общие", "Соседи"};

struct EventSeed {
    const char* title;
    int alarmOn;
    const char* time;
    const char* date;
    int duration;
    const char* alarmTime;
    const char* alarmDate;
    int repeat;
    std::vector<int> exceptions;
};

const EventSeed kEvents[] = {
    {"Планёрка", 1, "09:30", "12-07-2026", 60, "09:15", "12-07-2026", 2, {3}},
    {"День рождения мамы", 1, "10:00", "03-15-2027", 1440, "09:00", "03-15-2027", 5, {}},
    {"Dentist", 1, "14:00", "12-10-2026", 45, "13:30", "12-10-2026", 0, {}},
    {"Зарядка", 1, "07:00", "12-01-2026", 20, "06:55", "12-01-2026", 1, {5, 6}},
    {"Оплатить квартиру", 1, "12:00", "12-20-2026", 30, "11:00", "12-20-2026", 4, {}},
    {"Новый год", 1, "23:00", "12-31-2026", 120, "22:00", "12-31-2026", 5, {}},
    {"Football", 0, "19:00", "12-12-2026", 90, "00:00", "00-00-2000", 2, {}},
    {"Зустріч з Олексієм", 1, "18:30", "12-15-2026", 60, "18:00", "12-15-2026", 0, {}},
    {"Отчёт", 1, "16:00", "12-25-2026", 120, "15:00", "12-25-2026", 3, {}},
    {"Language course", 1, "18:00", "12-08-2026", 90, "17:45", "12-08-2026", 2, {2}},
    {"Поезд в Киев", 1, "21:40", "01-05-2027", 600, "20:40", "01-05-2027", 0, {}},
    {"Backup phone", 0, "20:00", "12-28-2026", 15, "00:00", "00-00-2000", 4, {}},
};

struct MessageSeed {
    MessageStorage storage;
    MessageStatus status;
    const char* number;
    const char* dateTime;
    const char* text;
};

const MessageSeed kMessages[] = {
    {MessageStorage::IM, MessageStatus::RecUnread, "+79111234567", "2026/12/07,18:02:11",
     "Привет! Встречаемся в семь у метро."},
    {MessageStorage::IM, MessageStatus::RecRead, "+79031112233", "2026/12/06,09:05:07",
     "Позвони, когда будешь дома. Мама"},
    {MessageStorage::IM, MessageStatus::RecUnread, "+441632960123", "2026/12/5,21:14:45",
     "See you at the airport tomorrow, gate B12."},
    {MessageStorage::IM, MessageStatus::RecRead, "+380501234567", "2026/11/30,12:00:00",
     "Дякую за допомогу!"},
    {MessageStorage::IM, MessageStatus::RecRead, "900", "2026/11/28,08:30:15",
     "Balance: 245.10 RUB"},
    {MessageStorage::OM, MessageStatus::StoSent, "+79111234567", "2026/12/07,18:05:40",
     "Хорошо, буду."},
    {MessageStorage::OM, MessageStatus::StoSent, "+4915123456789", "2026/12/01,10:10:10",
     "Happy birthday, Anna!"},
    {MessageStorage::OM, MessageStatus::StoUnsent, "+79265550101", "2026/12/07,20:00:00",
     "Ольга, завтра не смогу."},
    {MessageStorage::OM, MessageStatus::StoUnsent, "+33612345678", "2026/12/07,20:01:00",
     "Merci pour tout."},
    {MessageStorage::DM, MessageStatus::StoUnsent, "", "2026/12/02,22:22:22",
     "Черновик: купить хлеб, молоко"},
    {MessageStorage::DM, MessageStatus::StoUnsent, "+79097778800", "2026/12/03,11:11:11",
     "Draft: call me back"},
};

}  // namespace

void SeedDemoContents(PhoneState& s) {
    PhoneContents c;
    bool categories = s.family != PhonebookFamily::NineField;
    int slot = s.meFirst;
    int k = 0;
    for (const auto& seed : kPhoneContacts) {
        if (slot > s.meLast) break;
        PhonebookEntry e;
        e.name = seed.name;
        e.number = seed.number;
        e.type = seed.type;
        e.numberFormat = seed.type == 6 ? 128 : (seed.number[0] == '+' ? 145 : 129);
        e.ids = k % 7 == 3 ? 0 : (k % 5 == 4 ? 7 : 255);
        if (categories) e.category = seed.category;
        if (s.family == PhonebookFamily::ThirteenField) e.icon = seed.icon;
        if (s.family == PhonebookFamily::SixteenField && k % 4 == 0)
            e.picture = "photo" + std::to_string(k) + ".jpg";
        if (s.family == PhonebookFamily::NineField) e.icon = 0;
        c.phonebook[slot] = e;
        // Leave a gap now and then, as a phone that has been used for a while has.
        slot += (k % 6 == 5) ? 3 : 1;
        ++k;
    }
    if (s.simPresent) {
        int simSlot = s.smFirst;
        for (const auto& seed : kSimContacts) {
            if (simSlot > s.smLast) break;
            PhonebookEntry e;
            e.name = seed.name;
            e.number = seed.number;
            e.numberFormat = seed.number[0] == '+' ? 145 : 129;
            e.type = s.family == PhonebookFamily::NineField ? 7 : 8;
            e.icon = s.family == PhonebookFamily::NineField ? 0 : 255;
            c.phonebook[simSlot++] = e;
        }
    }
    int eventSlot = 0;
    for (const auto& seed : kEvents) {
        if (eventSlot > s.datebookLastSlot) break;
        DatebookEvent e;
        e.title = seed.title;
        e.alarmOn = seed.alarmOn;
        e.startTime = seed.time;
        e.startDate = seed.date;
        e.duration = seed.duration;
        e.alarmTime = seed.alarmTime;
        e.alarmDate = seed.alarmDate;
        e.repeat = seed.repeat;
        e.exceptions = seed.exceptions;
        c.events[eventSlot] = e;
        eventSlot += eventSlot % 3 == 2 ? 2 : 1;  // a free slot here and there
    }
    int index = 1;
    for (const auto& seed : kMessages) {
        Message m;
        m.storage = seed.storage;
        m.status = seed.status;
        m.number = seed.number;
        m.dateTime = seed.dateTime;
        m.text = seed.text;
        c.messages[index++] = m;
    }
    c.autoDeleteWeeks = 0;
    s.contents = std::move(c);
    SeedBuiltInCategories(s);
}

void SeedBuiltInCategories(PhoneState& s) {
    int g = 1;
    for (const char* name : kCategories) {
        if (g > s.categoryCount) break;
        s.contents.categories[g] = {name, g % 3};
        ++g;
    }
}

}  // namespace orlin::phonesim
