#pragma once
// What one tab offers another of its contacts: the phonebook tab offers the rows of its list,
// the messages tab offers them as recipients. The main window hands the offer over, so that no
// tab reads another tab's widgets.

#include <QIcon>
#include <functional>
#include <string>
#include <vector>

struct OfferedContact {
    QIcon icon;          // the icon of its number type
    QString nameText;    // the name as the list shows it, every letter
    QString numberText;  // the number likewise
};

// The contacts in the order of the list's rows.
using ContactOffer = std::function<std::vector<OfferedContact>()>;
