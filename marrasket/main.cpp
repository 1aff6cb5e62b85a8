#include "application.h"
#include "marrasket_form.h"

int main(int argc, char** argv) {
    return forms::runForm<marrasket::MarrasketForm>(argc, argv, DESKTOP_FILE_NAME);
}
