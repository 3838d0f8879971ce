#include "phonebook/abonent.h"
