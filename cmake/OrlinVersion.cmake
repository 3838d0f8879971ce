# The program's version, in one place: the version record of the program (resources/), the
# --version of orlin-cli and the package take it from here.
set(ORLIN_FILE_VERSION "0.9.1.11")
set(ORLIN_PRODUCT_VERSION "0.9.1.0")
