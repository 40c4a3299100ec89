# The public key that update answers must be signed with, built into the program.
#
# TALLOW_UPDATE_KEY names a PEM file holding an ECDSA P-256 public key (relative
# paths start at the source folder). The vendor's key is the default; the tree
# that runs the Windows tests takes the test key, whose private half signs the
# answers those tests serve. At configure time openssl turns the PEM into its
# DER form, whose last 64 bytes are the point X||Y that the program imports.
if(TALLOW_WIN32 AND TALLOW_WINE_TESTS)
    set(tallow_default_update_key tests/data/update-test-key.pub.pem)
else()
    set(tallow_default_update_key keys/update-signing.pub.pem)
endif()
set(TALLOW_UPDATE_KEY ${tallow_default_update_key} CACHE STRING
    "PEM file of the ECDSA P-256 public key that update answers are signed with")

# tallow_update_key_source(OUT): writes the C++ source OUT that defines
# BuiltInUpdateKey() from TALLOW_UPDATE_KEY.
function(tallow_update_key_source out)
    get_filename_component(pem ${TALLOW_UPDATE_KEY} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
    find_program(TALLOW_OPENSSL openssl)
    if(NOT TALLOW_OPENSSL)
        message(FATAL_ERROR "openssl is needed to read the update key ${pem} (scripts/setup installs it)")
    endif()
    set(der ${CMAKE_CURRENT_BINARY_DIR}/update-key.der)
    execute_process(COMMAND ${TALLOW_OPENSSL} pkey -pubin -in ${pem} -outform DER -out ${der}
        RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "TALLOW_UPDATE_KEY ${pem} is no PEM public key: ${err}")
    endif()
    file(READ ${der} hex HEX)
    # SubjectPublicKeyInfo of id-ecPublicKey on prime256v1, then the uncompressed point.
    set(prefix 3059301306072a8648ce3d020106082a8648ce3d03010703420004)
    string(LENGTH "${hex}" length)
    if(NOT length EQUAL 182 OR NOT hex MATCHES "^${prefix}")
        message(FATAL_ERROR "TALLOW_UPDATE_KEY ${pem} is no ECDSA P-256 public key")
    endif()
    string(SUBSTRING "${hex}" 54 128 point)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" TALLOW_UPDATE_KEY_BYTES "${point}")
    set(TALLOW_UPDATE_KEY_FILE ${TALLOW_UPDATE_KEY})
    file(CONFIGURE OUTPUT ${out} CONTENT [=[
// Generated from @TALLOW_UPDATE_KEY_FILE@ (TALLOW_UPDATE_KEY); do not edit.
#include "online/UpdateKey.h"

namespace tallow {

std::string_view BuiltInUpdateKey() {
    static const char point[] = "@TALLOW_UPDATE_KEY_BYTES@";
    return std::string_view(point, sizeof point - 1);
}

}  // namespace tallow
]=] @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${pem})
endfunction()
