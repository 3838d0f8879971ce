// The phonebook tab and files: saving and loading the phonebook file, vCard export and import.

#include <unistd.h>

#include "link/stable_id.h"
#include "tests/phonebook/phonebook_tab_fixture.h"
#include "tests/support/cli_run.h"
#include "ui/file_dialogs.h"

namespace orlin {
namespace {

TEST_F(PhonebookTab, SaveAndLoadThroughTheFileDialogs) {
    SimPhone source("C350");
    ReadAll(source);
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_tab_%1.csv").arg(::getpid()));
    QFile::remove(path);
    QTimer::singleShot(0, tab.get(),
                       [this, path] { test::acceptFileDialog(tab->SaveDialog1, path); });
    tab->ListView1->topLevelItem(0)->setSelected(true);
    tab->pmSaveBook->trigger();
    ASSERT_TRUE(QFile::exists(path));
    const std::string saved = ReadWholeFile(Utf8Path(path));
    EXPECT_EQ(saved, PhonebookFileText(tab->state().abonents, tab->state().ranges).bytes);

    SimPhone empty("C350", false);
    Connect(empty);
    QTimer::singleShot(0, tab.get(),
                       [this, path] { test::acceptFileDialog(tab->OpenDialog1, path); });
    tab->pmLoadRecord->trigger();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_EQ(empty.phonebook().size(), source.phonebook().size());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(source.phonebook().size()));
    EXPECT_FALSE(tab->sbStop->isVisible());
    QFile::remove(path);
}

TEST_F(PhonebookTab, ASaveThatFailsHalfWayLeavesTheOldFile) {
    SimPhone phone("C350");
    ReadAll(phone);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("orlin_pb_tab_full_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "book.csv").string();
    const std::string old(3000, 'o');
    WriteWholeFile(path, old);
    QTimer::singleShot(0, tab.get(), [this, path] {
        tab->SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
        test::acceptFileDialog(tab->SaveDialog1, QString::fromStdString(path));
    });
    {
        test::FileSizeLimit diskFullAt(100);
        tab->pmSaveBook->trigger();
    }
    EXPECT_EQ(ReadWholeFile(path), old);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().text, QStringLiteral("Файл слишком велик."));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}

TEST_F(PhonebookTab, CancelledLoadStillReadsAndEnablesAdding) {
    SimPhone phone("C350");
    Connect(phone);
    tab->DisableAddUntilRead();  // as the window starts with an empty list
    ASSERT_FALSE(tab->sbAddRecord->isEnabled());
    QTimer::singleShot(0, tab.get(), [this] { tab->OpenDialog1->reject(); });
    phone.mark();
    tab->Restore();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(phone.phonebook().size()));
    EXPECT_TRUE(tab->sbAddRecord->isEnabled());
}

TEST_F(PhonebookTab, LoadIntoAModelInNoFamilySaysNothingWasWritten) {
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_nofamily_%1.csv").arg(::getpid()));
    WriteWholeFile(Utf8Path(path), "PHONE;3;A;+1;2;0;255;0;1;0;0;255;0\r\n");
    SimPhone phone("V3", false);
    Connect(phone);
    QTimer::singleShot(0, tab.get(),
                       [this, path] { test::acceptFileDialog(tab->OpenDialog1, path); });
    phone.mark();
    tab->pmLoadRecord->trigger();
    QFile::remove(path);
    EXPECT_TRUE(phone.sinceStarting("AT+MPBW").empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, MessageBoxes::Kind::Error);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("V3"))) << boxes[0].text.toStdString();
    EXPECT_FALSE(tab->sbStop->isVisible());
}

// The window's export gives the cards the phone's stable identity, as orlin-cli does: two
// exports of an unchanged phone are the same bytes; a phone without a serial number gets the
// key of none; a phone that does not answer now gets the old form and a warning, never
// another phone's UIDs.
TEST_F(PhonebookTab, VCardExportsOfAnUnchangedPhoneAreTheSameBytes) {
    const struct {
        const char* name;
        const char* serial;
        bool reachable;
    } cases[] = {{"serial", "351234567890123", true},
                 {"no serial", "", true},
                 {"not answering", "351234567890123", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        SimPhone phone("C350");
        phone.edit([&](phonesim::PhoneState& s) { s.imei = c.serial; });
        ReadAll(phone);
        if (!c.reachable) host.settings.PortName = "/nonexistent/orlin-port";
        std::string bytes[2];
        for (int i = 0; i < 2; ++i) {
            if (i == 1) sleep(1);  // a time in the output would differ now
            const QString path = QDir::temp().filePath(
                QStringLiteral("orlin_pb_ids_%1_%2.vcf").arg(::getpid()).arg(i));
            QTimer::singleShot(0, tab.get(),
                               [&] { test::acceptFileDialog(tab->ExportVCardDialog, path); });
            tab->pmExportVCard->trigger();
            bytes[i] = ReadWholeFile(Utf8Path(path));
            QFile::remove(path);
        }
        if (c.reachable) {
            EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
            EXPECT_EQ(bytes[0], bytes[1]);
            EXPECT_NE(bytes[0].find("UID:orlin-" + PhoneKey(c.serial) + "-"), std::string::npos);
        } else {
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("без постоянных UID")));
            EXPECT_EQ(bytes[1], VCardText(tab->state()));
        }
        EXPECT_FALSE(bytes[1].empty());
    }
}

// The window's import of its own export goes back in place, as orlin-cli's does: unchanged it
// writes nothing; a card edited in the file is written into its own slot, no other.
TEST_F(PhonebookTab, AnOwnVCardExportGoesBackInPlace) {
    const struct {
        const char* name;
        std::string from, to;
        size_t writes;
    } cases[] = {
        {"unchanged", "", "", 0},
        {"renamed", "FN:" + std::string("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"), "FN:Ivan", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        SimPhone phone("C350");
        ReadAll(phone);
        const QString path =
            QDir::temp().filePath(QStringLiteral("orlin_pb_own_%1.vcf").arg(::getpid()));
        QTimer::singleShot(0, tab.get(),
                           [&] { test::acceptFileDialog(tab->ExportVCardDialog, path); });
        tab->pmExportVCard->trigger();
        std::string text = ReadWholeFile(Utf8Path(path));
        if (!c.from.empty()) {
            const size_t at = text.find(c.from);
            ASSERT_NE(at, std::string::npos);
            text.replace(at, c.from.size(), c.to);
            WriteWholeFile(Utf8Path(path), text);
        }
        const auto before = phone.phonebook();
        phone.mark();
        QTimer::singleShot(0, tab.get(),
                           [&] { test::acceptFileDialog(tab->ImportVCardDialog, path); });
        tab->pmImportVCard->trigger();
        QFile::remove(path);
        const std::vector<std::string> writes = phone.sinceStarting("AT+MPBW");
        ASSERT_EQ(writes.size(), c.writes);
        EXPECT_EQ(phone.phonebook().size(), before.size());
        if (c.writes == 1) {
            EXPECT_EQ(writes[0].rfind("AT+MPBW=1,", 0), 0u) << writes[0];
        }
    }
}

TEST_F(PhonebookTab, VCardExportAndImportHoldTheBusyStateAndAskWhenSlotsAreShort) {
    SimPhone source("C350");
    Connect(source);
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_tab_%1.vcf").arg(::getpid()));
    QFile::remove(path);
    // Before any read the export reads the phonebook itself.
    bool busyWhileAsked = false;
    QTimer::singleShot(0, tab.get(), [&] {
        busyWhileAsked = !tab->sbReadAll->isEnabled() && !tab->pmImportVCard->isEnabled();
        test::acceptFileDialog(tab->ExportVCardDialog, path);
    });
    tab->pmExportVCard->trigger();
    EXPECT_TRUE(busyWhileAsked);
    EXPECT_NE(ReadWholeFile(Utf8Path(path)).find("UID:orlin-" + PhoneKey("351234567890123")),
              std::string::npos);

    SimPhone empty("C350", false);
    Connect(empty);
    QTimer::singleShot(0, tab.get(), [&] { test::acceptFileDialog(tab->ImportVCardDialog, path); });
    tab->pmImportVCard->trigger();
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
    EXPECT_EQ(empty.phonebook(), source.phonebook());
    EXPECT_EQ(tab->ListView1->topLevelItemCount(), static_cast<int>(source.phonebook().size()));
    EXPECT_TRUE(tab->sbReadAll->isEnabled());
    EXPECT_FALSE(tab->sbStop->isVisible());

    // Three slots for the source's numbers: asked first, No writes nothing, Yes what fits.
    phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
    options.meLast = 2;
    options.smSize = 1;
    SimPhone tiny(options);
    Connect(tiny);
    for (MessageBoxes::Answer answer : {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}) {
        boxes.clear();
        recorder.answers = {answer};
        QTimer::singleShot(0, tab.get(),
                           [&] { test::acceptFileDialog(tab->ImportVCardDialog, path); });
        tab->pmImportVCard->trigger();
        ASSERT_FALSE(boxes.empty());
        EXPECT_TRUE(
            boxes[0].text.startsWith(QStringLiteral("Свободных ячеек не хватает: %1 номеров")
                                         .arg(source.phonebook().size() - 2)))
            << boxes[0].text.toStdString();
    }
    EXPECT_EQ(tiny.phonebook().size(), 2u) << "the file's SIM entries do not fit the SIM slot";
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.contains(QStringLiteral("нет свободной ячейки")));
    QFile::remove(path);
}

// A phone lost half-way through a vCard import, writing all or loading the phonebook file: one
// error box says so, and which slots went in, which one got no answer and which were never sent;
// the phone holds exactly those taken.
TEST_F(PhonebookTab, AWriteThatLosesThePhoneSaysWhatWentIn) {
    SimPhone source("C350");
    ReadAll(source);
    const QString path =
        QDir::temp().filePath(QStringLiteral("orlin_pb_lost_%1.vcf").arg(::getpid()));
    QTimer::singleShot(0, tab.get(), [&] { test::acceptFileDialog(tab->ExportVCardDialog, path); });
    tab->pmExportVCard->trigger();
    const QString bookPath =
        QDir::temp().filePath(QStringLiteral("orlin_pb_lost_%1.csv").arg(::getpid()));
    QTimer::singleShot(0, tab.get(), [&] { test::acceptFileDialog(tab->SaveDialog1, bookPath); });
    tab->pmSaveBook->trigger();
    // Each operation writes the source's entries to `target`.
    const std::function<void(SimPhone&)> operations[] = {
        [&](SimPhone& target) {
            Connect(target);
            QTimer::singleShot(0, tab.get(),
                               [&] { test::acceptFileDialog(tab->ImportVCardDialog, path); });
            tab->pmImportVCard->trigger();
        },
        [&](SimPhone& target) {
            ReadAll(source);
            Connect(target);
            tab->sbWriteAll->click();
        },
        [&](SimPhone& target) {
            Connect(target);
            QTimer::singleShot(0, tab.get(),
                               [&] { test::acceptFileDialog(tab->OpenDialog1, bookPath); });
            tab->pmLoadRecord->trigger();
        },
    };
    for (const auto& operation : operations) {
        // The operation on an empty phone counts the commands up to its sixth write; the same
        // operation on a second empty phone then loses it right after that write.
        SimPhone clean("C350", false);
        operation(clean);
        const std::vector<std::string> log = clean->commandLog();
        int commands = 0;
        for (int writes = 0; commands < static_cast<int>(log.size()) && writes < 6; ++commands)
            if (log[static_cast<size_t>(commands)].rfind("AT+MPBW=", 0) == 0) ++writes;
        phonesim::PhoneSimOptions options = test::PhoneOptions("C350", false);
        options.faults.hangUpAfterCommands = commands;
        SimPhone lost(options);
        boxes.clear();
        operation(lost);

        ASSERT_EQ(boxes.size(), 1u);
        const QString said = boxes[0].text;
        EXPECT_TRUE(said.startsWith(QStringLiteral("Связь с телефоном потеряна (Ошибка "
                                                   "ввода-вывода).\r\nВ телефон записано 6 из %1 "
                                                   "(ячейки ")
                                        .arg(source.phonebook().size())))
            << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("Не отправлены: ячейки "))) << said.toStdString();
        EXPECT_EQ(lost.phonebook().size(), 6u);
        for (const auto& [slot, entry] : lost.phonebook())
            EXPECT_TRUE(said.contains(QString::number(slot))) << slot;
        EXPECT_FALSE(tab->sbStop->isVisible());
    }
    QFile::remove(path);
    QFile::remove(bookPath);
}

// An error text that names the file and quotes its data reaches both front ends as it stands:
// the command line's error output and the window's error box show a Greek, Polish or Chinese
// file name and a Greek number field unchanged (no '?' in their place).
TEST_F(PhonebookTab, ErrorTextsKeepEveryLetterOfTheFileAndItsData) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orlin_pb_texts_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const struct {
        std::string file;
        std::string number;  // line 2's number, which no command may carry
        std::string said;
    } cases[] = {
        {"Ελένη.txt", "+30\r1",
         "Ελένη.txt, строка 2: номер: недопустимый знак CR (13) в «+30<13>1»"},
        {"Łukasz Żółć.txt", "Ωμέγα\t1",
         "Łukasz Żółć.txt, строка 2: номер: недопустимый знак TAB (9) в «Ωμέγα<9>1»"},
        {"中文.txt", "1\"2", "中文.txt, строка 2: номер: недопустимый знак \" в «1\"2»"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = Utf8FromPath(folder / PathFromUtf8(c.file));
        WriteWholeFile(path, "PHONE;1;Ann;+7911;3;0;255;0;1;1;255;255;0\r\nPHONE;2;Bad;" +
                                 c.number + ";3;0;255;0;1;1;255;255;0\r\n");
        SimPhone phone("C350", false);

        const test::CliRun cli =
            test::RunCli(folder, phone.settings.PortName, "--yes phonebook load '" + c.file + "'");
        EXPECT_EQ(cli.status, 1);
        EXPECT_NE(cli.err.find(c.said), std::string::npos) << cli.err;

        Connect(phone);
        boxes.clear();
        QTimer::singleShot(0, tab.get(), [this, &path] {
            test::acceptFileDialog(tab->OpenDialog1, QString::fromStdString(path));
        });
        tab->pmLoadRecord->trigger();
        // A file with Greek data is read as UTF-8, which a note says first.
        ASSERT_FALSE(boxes.empty());
        EXPECT_TRUE(boxes.back().text.contains(QString::fromStdString(c.said)))
            << boxes.back().text.toStdString();
        EXPECT_TRUE(phone.phonebook().empty()) << "nothing is written from a file refused";
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orlin
