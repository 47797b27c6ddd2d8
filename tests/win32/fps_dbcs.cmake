# The result-reader tests once more under the Japanese ANSI code page (932, double-byte).
# Wine takes the code page from LC_ALL; QUORVATH_EXPECT_ACP turns the tests' skip into a
# failure should the code page not be 932 after all. Only the FpsDbcs tests run here: with
# that locale missing from the system, as on the build machines, Wine cannot name files
# outside ASCII, which other tests do.
add_test(NAME fps_dbcs_cp932 COMMAND quorvath_win32_tests --gtest_filter=FpsDbcs.*)
set_tests_properties(fps_dbcs_cp932 PROPERTIES ENVIRONMENT
                     "LC_ALL=ja_JP.UTF-8;QUORVATH_EXPECT_ACP=932" LABELS win32)
