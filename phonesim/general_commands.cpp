// Identity, battery, signal, clock, character set and the plain extras of a terminal.
#include <cstdio>
#include <ctime>

#include "phonesim/at_engine.h"

namespace orlin::phonesim {
namespace {

// Seconds of the computer's local wall clock, counted as if it were UTC.
int64_t LocalNaiveNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<int64_t>(timegm(&local));
}

Answer ClockRead(PhoneState& s) {
    std::time_t phone = static_cast<std::time_t>(LocalNaiveNow() + s.clockOffsetSeconds);
    std::tm t{};
    gmtime_r(&phone, &t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "+CCLK: \"%02d/%02d/%02d,%02d:%02d:%02d%s\"", t.tm_year % 100,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, s.clockZone.c_str());
    return Ok({buf});
}

// "yy/MM/dd,hh:mm:ss" with an optional zone "+zz" / "-zz" (quarter hours).
Answer ClockSet(PhoneState& s, const AtCommandLine& cmd) {
    if (!IsQuoted(cmd.argText)) return Error(s, CmeIncorrectParameters);
    std::string v = Unquote(cmd.argText);
    int yy, mo, dd, hh, mi, ss, used = 0;
    if (std::sscanf(v.c_str(), "%2d/%2d/%2d,%2d:%2d:%2d%n", &yy, &mo, &dd, &hh, &mi, &ss, &used) !=
            6 ||
        used != 17)
        return Error(s, CmeIncorrectParameters);
    std::string zone = v.substr(17);
    if (!zone.empty()) {
        if (zone.size() < 2 || zone.size() > 3 || (zone[0] != '+' && zone[0] != '-') ||
            !ParseInt(zone.substr(1)) || *ParseInt(zone.substr(1)) > 48)
            return Error(s, CmeIncorrectParameters);
    }
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mo < 1 || mo > 12 || dd < 1 || dd > kDays[mo - 1] || hh > 23 || mi > 59 || ss > 59 ||
        (mo == 2 && dd == 29 && yy % 4 != 0))
        return Error(s, CmeIncorrectParameters);
    std::tm t{};
    t.tm_year = 100 + yy;
    t.tm_mon = mo - 1;
    t.tm_mday = dd;
    t.tm_hour = hh;
    t.tm_min = mi;
    t.tm_sec = ss;
    s.clockOffsetSeconds = static_cast<int64_t>(timegm(&t)) - LocalNaiveNow();
    if (!zone.empty())
        s.clockZone = zone.size() == 2 ? std::string(1, zone[0]) + "0" + zone[1] : zone;
    return Ok();
}

Answer Charset(PhoneState& s, const AtCommandLine& cmd) {
    switch (cmd.form) {
        case CommandForm::Read:
            return Ok({"+CSCS: " + Quoted(s.charset)});
        case CommandForm::Test:
            return Ok({"+CSCS: (\"IRA\",\"GSM\",\"UCS2\")"});
        case CommandForm::Set: {
            if (s.forms.quotedArgs && !IsQuoted(cmd.argText)) return Error(s, CmeUnknown);
            std::string v = Unquote(cmd.argText);
            for (char& c : v) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (v != "IRA" && v != "GSM" && v != "UCS2") return Error(s, CmeNotSupported);
            s.charset = v;
            return Ok();
        }
        default:
            return Error(s, CmeIncorrectParameters);
    }
}

// A setting with a small set of values: AT+X=n, AT+X?, AT+X=?.
CommandHandler NumberSetting(const std::string& name, int PhoneState::*field,
                             std::vector<int> allowed, const std::string& range) {
    return [=](PhoneState& s, const AtCommandLine& cmd) -> Answer {
        switch (cmd.form) {
            case CommandForm::Read:
                return Ok({name + ": " + std::to_string(s.*field)});
            case CommandForm::Test:
                return Ok({name + ": " + range});
            case CommandForm::Set: {
                auto v = cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
                if (!v) return Error(s, CmeIncorrectParameters);
                for (int a : allowed)
                    if (a == *v) {
                        s.*field = *v;
                        return Ok();
                    }
                return Error(s, CmeIncorrectParameters);
            }
            default:
                return Error(s, CmeIncorrectParameters);
        }
    };
}

CommandHandler Query(std::function<Answer(PhoneState&)> read) {
    return [read](PhoneState& s, const AtCommandLine& cmd) -> Answer {
        if (cmd.form == CommandForm::Action) return read(s);
        if (cmd.form == CommandForm::Test) return Ok();
        return Error(s, CmeIncorrectParameters);
    };
}

}  // namespace

void RegisterGeneralCommands(CommandTable& t) {
    t["+CGMI"] = Query([](PhoneState& s) { return Ok({"+CGMI: " + Quoted(s.manufacturer)}); });
    t["+CGMM"] = Query([](PhoneState& s) {
        std::string line = "+CGMM: ";
        for (const auto& b : s.bands) line += Quoted(b) + ",";
        return Ok({line + Quoted("MODEL=" + s.model)});
    });
    t["+CGMR"] = Query([](PhoneState& s) { return Ok({"+CGMR: " + Quoted(s.firmware)}); });
    t["+CGSN"] = Query([](PhoneState& s) {
        return Ok({(s.forms.plainSerial ? "+CGSN: " : "+CGSN: IMEI") + s.imei});
    });
    t["+CIMI"] = Query([](PhoneState& s) {
        if (!s.simPresent) return Error(s, CmeSimNotInserted);
        return Ok({"+CIMI: " + s.imsi});
    });
    t["+GMI"] = t["+CGMI"];
    t["+GMM"] = t["+CGMM"];
    t["+GMR"] = t["+CGMR"];
    t["+GSN"] = t["+CGSN"];
    t["+CBC"] = Query([](PhoneState& s) {
        return Ok(
            {"+CBC: " + std::to_string(s.batteryStatus) + "," + std::to_string(s.batteryCharge)});
    });
    t["+CSQ"] = Query([](PhoneState& s) {
        return Ok({"+CSQ: " + std::to_string(s.signalRssi) + "," + std::to_string(s.signalBer)});
    });
    t["+CNUM"] = Query([](PhoneState& s) {
        if (!s.simPresent) return Error(s, CmeSimNotInserted);
        std::string format = !s.ownNumber.empty() && s.ownNumber[0] == '+' ? "145" : "129";
        return Ok({"+CNUM: \"\"," + Quoted(s.ownNumber) + "," + format});
    });
    t["+CPAS"] = Query([](PhoneState&) { return Ok({"+CPAS: 0"}); });
    t["+CCLK"] = [](PhoneState& s, const AtCommandLine& cmd) {
        if (cmd.form == CommandForm::Read) return ClockRead(s);
        if (cmd.form == CommandForm::Set) return ClockSet(s, cmd);
        if (cmd.form == CommandForm::Test) return Ok();
        return Error(s, CmeIncorrectParameters);
    };
    t["+CSCS"] = Charset;
    t["+CMEE"] = [](PhoneState& s, const AtCommandLine& cmd) {
        switch (cmd.form) {
            case CommandForm::Read:
                return Ok({std::string("+CMEE: ") + (s.verboseErrors ? "1" : "0")});
            case CommandForm::Test:
                return Ok({"+CMEE: (0-2)"});
            case CommandForm::Set: {
                auto v = cmd.args.size() == 1 ? ParseInt(cmd.args[0]) : std::nullopt;
                if (!v || *v < 0 || *v > 2) return Error(s, CmeIncorrectParameters);
                s.verboseErrors = *v != 0;
                return Ok();
            }
            default:
                return Error(s, CmeIncorrectParameters);
        }
    };
    t["+CFUN"] = [](PhoneState& s, const AtCommandLine& cmd) {
        switch (cmd.form) {
            case CommandForm::Read:
                return Ok({"+CFUN: 1"});
            case CommandForm::Test:
                return Ok({"+CFUN: (0-1)"});
            case CommandForm::Set: {
                auto v = !cmd.args.empty() ? ParseInt(cmd.args[0]) : std::nullopt;
                if (!v || *v < 0 || *v > 1) return Error(s, CmeIncorrectParameters);
                return Ok();
            }
            default:
                return Error(s, CmeIncorrectParameters);
        }
    };
    t["+MODE"] = [](PhoneState& s, const AtCommandLine& cmd) {
        Answer a =
            NumberSetting("+MODE", &PhoneState::mode, {0, 1, 2, 3, 4, 8, 12}, "(0-4,8,12)")(s, cmd);
        // A Motorola answers the switch to mode 2 with OK and then an unsolicited banner.
        if (cmd.form == CommandForm::Set && s.mode == 2 && a.lines.back().text == "OK")
            a.unsolicited.push_back("+MBAN: Copyright 2000-2004 Motorola, Inc.");
        return a;
    };
    t["+CMOD"] = NumberSetting("+CMOD", &PhoneState::callMode, {0, 1, 2, 3}, "(0-3)");
    t["+CBST"] = [](PhoneState& s, const AtCommandLine& cmd) {
        switch (cmd.form) {
            case CommandForm::Read:
                return Ok({"+CBST: " + s.bearer});
            case CommandForm::Test:
                return Ok({"+CBST: (0-7,65,66,68,70,71),(0),(0-1)"});
            case CommandForm::Set: {
                if (cmd.args.empty() || cmd.args.size() > 3)
                    return Error(s, CmeIncorrectParameters);
                int values[3] = {7, 0, 1};
                for (size_t i = 0; i < cmd.args.size(); ++i) {
                    auto v = ParseInt(cmd.args[i]);
                    if (!v) return Error(s, CmeIncorrectParameters);
                    values[i] = *v;
                }
                static const int kSpeeds[] = {0, 1, 2, 3, 4, 5, 6, 7, 65, 66, 68, 70, 71};
                bool speedOk = false;
                for (int sp : kSpeeds) speedOk = speedOk || sp == values[0];
                if (!speedOk || values[1] != 0 || values[2] < 0 || values[2] > 1)
                    return Error(s, CmeIncorrectParameters);
                s.bearer = std::to_string(values[0]) + ",0," + std::to_string(values[2]);
                return Ok();
            }
            default:
                return Error(s, CmeIncorrectParameters);
        }
    };
    t["+CKPD"] = [](PhoneState& s, const AtCommandLine& cmd) {
        if (cmd.form == CommandForm::Test) return Ok({"+CKPD: (0-9,*,#,<,>,^,v,S,E),(0-255)"});
        if (cmd.form != CommandForm::Set || cmd.args.empty() || cmd.args[0].empty())
            return Error(s, CmeIncorrectParameters);
        return Ok();
    };
    t["+CPIN"] = [](PhoneState& s, const AtCommandLine& cmd) {
        if (cmd.form != CommandForm::Read) return Error(s, CmeNotAllowed);
        if (!s.simPresent) return Error(s, CmeSimNotInserted);
        return Ok({"+CPIN: READY"});
    };
    t["+CREG"] = [](PhoneState&, const AtCommandLine& cmd) {
        if (cmd.form == CommandForm::Read) return Ok({"+CREG: 0,1"});
        if (cmd.form == CommandForm::Test) return Ok({"+CREG: (0-2)"});
        return Ok();
    };
    t["+CSCA"] = [](PhoneState&, const AtCommandLine& cmd) {
        if (cmd.form == CommandForm::Read) return Ok({"+CSCA: \"+79168999100\",145"});
        return Ok();
    };
    t["+CMGF"] = [](PhoneState& s, const AtCommandLine& cmd) {
        if (cmd.form == CommandForm::Read) return Ok({"+CMGF: 1"});
        if (cmd.form == CommandForm::Test) return Ok({"+CMGF: (1)"});
        if (cmd.form == CommandForm::Set && cmd.args.size() == 1 && cmd.args[0] == "1") return Ok();
        return Error(s, CmeNotSupported);
    };
}

}  // namespace orlin::phonesim
