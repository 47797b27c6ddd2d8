@echo off
rem Quorvath demo kit: the one file that does the demo kit's work.
rem
rem THIS IS A STAND-IN. It runs no game and measures nothing. It sets up an empty demo
rem game folder, waits a few seconds as if a flyby were running, then writes plausible
rem frame rates in the result file format that Quorvath reads. Each figure scatters by up
rem to 2 percent either way around a fixed value, scaled by the DemoSpeed line of the
rem test's settings file. Every other batch file of the demo kit is a single call of this
rem one:
rem
rem   demo-run.bat locate        make the demo game folder and report it in ut.out
rem   demo-run.bat CPU           CPU test at 640 x 480, writes CPU_Test_FPS.txt
rem   demo-run.bat HQ size       High Quality test, writes HQ_FPS.txt
rem   demo-run.bat LQ size       Low Quality test, writes LQ_FPS.txt
rem
rem where size is 1024, 1280, 1600 or All (all three, 1600 x 1200 first).
rem
rem Exit codes: 0 done; 2 unknown arguments; 3 the test's settings file is not in the demo
rem game folder; 4 the earlier result file is in the way; 5 no file could be written;
rem 6 the demo game folder's name cannot be written in the system's ANSI code page.
rem
rem Paths are only ever expanded inside double quotes or through a for variable, so
rem folder names with blanks, non-ASCII letters and characters such as ampersands,
rem parentheses, commas or exclamation marks are safe. A percent sign in a folder name is
rem not: the command interpreter expands it.

setlocal EnableExtensions DisableDelayedExpansion

rem Everything is found from this file's own place, never from the current folder: this
rem file lives in the program folder's "CPU Test" folder.
for %%I in ("%~dp0..") do set "PROGRAM_DIR=%%~fI"
rem A program folder at a drive root comes back with its backslash; names below are
rem joined to it with one.
if "%PROGRAM_DIR:~-1%"=="\" set "PROGRAM_DIR=%PROGRAM_DIR:~0,-1%"
rem The demo game "installation" sits beside the three test folders.
set "GAME_DIR=%PROGRAM_DIR%\Demo Game"

if /i "%~1"=="locate" goto locate
if /i "%~1"=="CPU" goto cpu_test
if /i "%~1"=="HQ" goto high_quality_test
if /i "%~1"=="LQ" goto low_quality_test
goto usage


:locate
rem Quorvath reads the first line of ut.out in its program folder as the game's folder,
rem without a trailing backslash, then deletes the file.
if not exist "%GAME_DIR%\" mkdir "%GAME_DIR%" >nul 2>&1
if not exist "%GAME_DIR%\" goto game_folder_not_made
set "LOCATION_PATH=%PROGRAM_DIR%\ut.out"
set "PARTIAL_PATH=%PROGRAM_DIR%\ut.out.partial"
call :use_ansi_code_page
rem The long name is the natural report. A name that the ANSI code page cannot spell
rem would reach Quorvath as a different folder, so its short form is tried next.
set "REPORTED_DIR=%GAME_DIR%"
call :write_location
if not errorlevel 1 goto location_ready
for %%I in ("%GAME_DIR%") do set "REPORTED_DIR=%%~sI"
call :write_location
if not errorlevel 1 goto location_ready
call :restore_code_page
if exist "%PARTIAL_PATH%" del /f /q "%PARTIAL_PATH%" >nul 2>&1
>&2 echo Demo kit: the name of the demo game folder "%GAME_DIR%" cannot be written in
>&2 echo the system's ANSI code page, so Quorvath could not read it. Put the program in a
>&2 echo folder whose name can be.
exit /b 6

:location_ready
call :restore_code_page
rem Renamed into place only now, so Quorvath never reads a half-written file.
move /y "%PARTIAL_PATH%" "%LOCATION_PATH%" >nul 2>&1
if not exist "%LOCATION_PATH%" goto not_written
echo Demo kit: the demo game folder is "%GAME_DIR%".
exit /b 0


:write_location
rem Writes REPORTED_DIR as the only line of the partial location file, then reads it back.
rem Sets errorlevel 1 when the text did not survive the code page.
set "NO_COMMA=%REPORTED_DIR:,=%"
rem Quorvath reads the first comma-separated field, so a folder with a comma is quoted.
if "%NO_COMMA%"=="%REPORTED_DIR%" goto write_location_plain
for %%L in ("%REPORTED_DIR%") do >"%PARTIAL_PATH%" echo "%%~L"
goto read_location_back
:write_location_plain
for %%L in ("%REPORTED_DIR%") do >"%PARTIAL_PATH%" echo %%~L
:read_location_back
set "READ_BACK="
if exist "%PARTIAL_PATH%" <"%PARTIAL_PATH%" set /p "READ_BACK="
if not defined READ_BACK exit /b 1
set "READ_BACK=%READ_BACK:"=%"
if "%READ_BACK%"=="%REPORTED_DIR%" exit /b 0
exit /b 1


:use_ansi_code_page
rem The command interpreter writes text in the console's code page, an OEM one, while
rem Quorvath reads ut.out in the system's ANSI code page: switch for the write, when there
rem is a console to switch.
set "PREVIOUS_CODE_PAGE="
set "ANSI_CODE_PAGE="
for /f "tokens=2 delims=:" %%C in ('chcp') do set "PREVIOUS_CODE_PAGE=%%C"
if defined PREVIOUS_CODE_PAGE set "PREVIOUS_CODE_PAGE=%PREVIOUS_CODE_PAGE: =%"
if defined PREVIOUS_CODE_PAGE set "PREVIOUS_CODE_PAGE=%PREVIOUS_CODE_PAGE:.=%"
for /f "tokens=1,3" %%A in ('reg query "HKLM\SYSTEM\CurrentControlSet\Control\Nls\CodePage" /v ACP 2^>nul') do if /i "%%A"=="ACP" set "ANSI_CODE_PAGE=%%B"
if defined ANSI_CODE_PAGE chcp %ANSI_CODE_PAGE% >nul 2>&1
exit /b 0

:restore_code_page
if defined PREVIOUS_CODE_PAGE chcp %PREVIOUS_CODE_PAGE% >nul 2>&1
exit /b 0


:cpu_test
set "TEST_TITLE=CPU test"
set "TEST_FOLDER=CPU_LowDetail"
set "RESULT_FILE=CPU_Test_FPS.txt"
set "RESOLUTIONS=640"
set "RESOLUTION_TITLE=640 x 480"
rem Typical average frame rates, in hundredths of a frame per second, before each level's
rem weight. The CPU test's small picture lies between every High Quality and every Low
rem Quality figure of the same level.
set "AVERAGE_640=8500"
goto run_test

:high_quality_test
set "TEST_TITLE=High Quality test"
set "TEST_FOLDER=Custom_MaxDetail"
set "RESULT_FILE=HQ_FPS.txt"
set "AVERAGE_1600=4000"
set "AVERAGE_1280=5500"
set "AVERAGE_1024=7000"
goto choose_resolutions

:low_quality_test
set "TEST_TITLE=Low Quality test"
set "TEST_FOLDER=Custom_MinDetail"
set "RESULT_FILE=LQ_FPS.txt"
set "AVERAGE_1600=10000"
set "AVERAGE_1280=12500"
set "AVERAGE_1024=15000"
goto choose_resolutions

:choose_resolutions
set "RESOLUTIONS="
if "%~2"=="1024" set "RESOLUTIONS=1024"
if "%~2"=="1024" set "RESOLUTION_TITLE=1024 x 768"
if "%~2"=="1280" set "RESOLUTIONS=1280"
if "%~2"=="1280" set "RESOLUTION_TITLE=1280 x 1024"
if "%~2"=="1600" set "RESOLUTIONS=1600"
if "%~2"=="1600" set "RESOLUTION_TITLE=1600 x 1200"
rem Highest first: Quorvath labels the records 1600 x 1200, 1280 x 1024, 1024 x 768 in turn.
if /i "%~2"=="All" set "RESOLUTIONS=1600 1280 1024"
if /i "%~2"=="All" set "RESOLUTION_TITLE=all resolutions"
if not defined RESOLUTIONS goto usage
goto run_test


:run_test
set "RESULT_PATH=%PROGRAM_DIR%\%RESULT_FILE%"
set "PARTIAL_PATH=%PROGRAM_DIR%\%RESULT_FILE%.partial"
set "SETTINGS_PATH=%GAME_DIR%\Benchmark\%TEST_FOLDER%\%TEST_FOLDER%.ini"

rem The earlier result goes first: Quorvath must not take it for this run's result, and
rem a run that fails must not leave it looking like one.
rem Paths are handed over in a variable: call would double any caret in an argument.
set "REMOVE_PATH=%RESULT_PATH%"
call :remove_file
if errorlevel 1 goto result_in_the_way
set "REMOVE_PATH=%PARTIAL_PATH%"
call :remove_file
if errorlevel 1 goto result_in_the_way
if not exist "%SETTINGS_PATH%" goto settings_missing
call :read_demo_speed
call :to_decimal DEMO_SPEED

echo Demo kit: simulating a %TEST_TITLE% run at %RESOLUTION_TITLE%, DemoSpeed %DEMO_SPEED_TEXT%.
echo The figures scatter by up to 2 percent around fixed values: nothing is measured.
rem A few seconds, as a short flyby would take (ping is there when timeout.exe is not).
ping -n 4 127.0.0.1 >nul

rem Level name, weight of its scenery in percent, length of its flyby in hundredths of a
rem second.
call :write_level "Cinder Keep" 100 3240
call :write_level "Frostmere" 86 2870
call :write_level "Hollow Spire" 112 3510
call :write_level "Sunken Vault" 94 3090
call :write_level "Ashen Docks" 121 2660
call :write_level "Glasswood" 79 3780
call :write_level "Ironreach Gate" 105 3320
if not exist "%PARTIAL_PATH%" goto not_written
rem Renamed into place only when complete: Quorvath reads the file as soon as it exists.
move /y "%PARTIAL_PATH%" "%RESULT_PATH%" >nul 2>&1
if not exist "%RESULT_PATH%" goto not_written
echo Demo kit: "%RESULT_PATH%" is ready.
exit /b 0


:write_level
set "LEVEL_NAME=%~1"
set "LEVEL_WEIGHT=%~2"
set "LEVEL_SECONDS=%~3"
for %%R in (%RESOLUTIONS%) do call :write_group %%R
exit /b 0

:write_group
rem One group of four lines: level, low / average / high frame rate, frames, seconds.
rem Each level's average has a fixed value at each resolution, its typical value times the
rem level's weight, times DemoSpeed. A run moves it by up to 2 percent either way: the sum
rem of two random parts, so small moves are the common ones. Low and high are 52 and 170
rem percent of the average, give or take 1 percent, so their means are steady too. The
rem order between tests and resolutions always holds at the same DemoSpeed. (DemoSpeed is
rem at most 10.00, so no product here passes set /a's limit of 2147483647.)
set /a "AVERAGE=AVERAGE_%1 * LEVEL_WEIGHT / 100 * DEMO_SPEED / 100"
set /a "AVERAGE=AVERAGE * (9800 + %RANDOM% %% 201 + %RANDOM% %% 201) / 10000"
set /a "LOW=AVERAGE * (5148 + %RANDOM% %% 105) / 10000"
set /a "HIGH=AVERAGE * (1683 + %RANDOM% %% 35) / 1000"
set /a "SECONDS=LEVEL_SECONDS + %RANDOM% %% 60"
set /a "FRAMES=AVERAGE * SECONDS / 10000"
call :to_decimal LOW
call :to_decimal AVERAGE
call :to_decimal HIGH
call :to_decimal SECONDS
>>"%PARTIAL_PATH%" echo %LEVEL_NAME%
>>"%PARTIAL_PATH%" echo %LOW_TEXT% / %AVERAGE_TEXT% / %HIGH_TEXT% fps
>>"%PARTIAL_PATH%" echo %FRAMES% frames rendered
>>"%PARTIAL_PATH%" echo %SECONDS_TEXT% seconds
exit /b 0

:read_demo_speed
rem Reads DemoSpeed from the [Demo] section of the settings file in the game's benchmark
rem folder, the copy that Quorvath placed there, as a game reads its own settings. It scales
rem every figure; DEMO_SPEED holds it in hundredths (105 for DemoSpeed=1.05). No such line,
rem or a file that cannot be read, means 100. So does a value that is not a number from
rem 0.01 to 10.00 with at most two decimals (1, 0.9, 1.05), with a note on the error output.
rem Text from the file is only handled through for variables and printed by set, so quotes,
rem ampersands or parentheses in it cannot break this script. Percent expansion touches it
rem only once it is known to hold nothing but digits and points.
set "DEMO_SPEED=100"
set "IN_DEMO_SECTION="
set "SPEED_FOUND="
set "INI_VALUE="
set "INI_REST="
rem Key, value, and anything after the value: "=", blanks and tabs separate them. Quotes
rem around the value are dropped, as Windows drops them from a settings file's values.
for /f "usebackq eol=; tokens=1,2,* delims==	 " %%A in ("%SETTINGS_PATH%") do (
  set "INI_KEY=%%A"
  set "INI_IS_DEMO="
  set "INI_IS_SPEED="
  if /i "%%A"=="[Demo]" set "INI_IS_DEMO=1"
  if /i "%%A"=="DemoSpeed" set "INI_IS_SPEED=1"
  if not defined SPEED_FOUND set "INI_VALUE=%%~B"
  if not defined SPEED_FOUND set "INI_REST=%%C"
  call :read_settings_line
)
if not defined SPEED_FOUND exit /b 0
if defined INI_REST goto demo_speed_invalid
if not defined INI_VALUE goto demo_speed_invalid
rem set prints the value as it is; a token between its digits and points is anything else.
set "SPEED_BAD="
for /f "tokens=2 delims==0123456789." %%X in ('set INI_VALUE') do set "SPEED_BAD=1"
if defined SPEED_BAD goto demo_speed_invalid
set "SPEED_INTEGER="
set "SPEED_FRACTION="
for /f "tokens=1,2 delims=." %%P in ("%INI_VALUE%") do (
  set "SPEED_INTEGER=%%P"
  set "SPEED_FRACTION=%%Q"
)
if not defined SPEED_INTEGER goto demo_speed_invalid
rem At most one point, with digits on both sides of it ("1." and ".5" are not numbers here).
set "SPEED_REBUILT=%SPEED_INTEGER%"
if defined SPEED_FRACTION set "SPEED_REBUILT=%SPEED_INTEGER%.%SPEED_FRACTION%"
if not "%SPEED_REBUILT%"=="%INI_VALUE%" goto demo_speed_invalid
rem At most two digits on either side of the point. The texts are padded before a character
rem is picked: Wine's command interpreter reads past the end of a text for an index beyond it.
set "SPEED_CHECK=%SPEED_INTEGER%###"
if not "%SPEED_CHECK:~2,1%"=="#" goto demo_speed_invalid
set "SPEED_CHECK=%SPEED_FRACTION%###"
if not "%SPEED_CHECK:~2,1%"=="#" goto demo_speed_invalid
set "SPEED_INTEGER=0%SPEED_INTEGER%"
set "SPEED_FRACTION=%SPEED_FRACTION%00"
rem set /a reads a number with a leading zero as octal: a 1 in front keeps it decimal.
set /a "DEMO_SPEED=(1%SPEED_INTEGER:~-2% - 100) * 100 + 1%SPEED_FRACTION:~0,2% - 100"
if %DEMO_SPEED% GEQ 1 if %DEMO_SPEED% LEQ 1000 exit /b 0
:demo_speed_invalid
set "DEMO_SPEED=100"
>&2 echo Demo kit: DemoSpeed in "%SETTINGS_PATH%" is not a number from 0.01 to 10.00
>&2 echo with at most two decimals, such as 1.05. The run goes on at 1.00.
exit /b 0

:read_settings_line
rem A key that starts with "[" opens a section; DemoSpeed counts in [Demo] only, the first
rem time. One character of the key is safe to expand: a quote or an ampersand alone, in
rem quotes, breaks nothing.
set "INI_FIRST=%INI_KEY:~0,1%"
set "INI_FIRST=%INI_FIRST:[=%"
if not defined INI_FIRST set "IN_DEMO_SECTION="
if defined INI_IS_DEMO set "IN_DEMO_SECTION=1"
if defined IN_DEMO_SECTION if defined INI_IS_SPEED set "SPEED_FOUND=1"
exit /b 0

:to_decimal
rem Writes the hundredths held in the variable named %1 as a decimal text into %1_TEXT.
set /a "WHOLE=%1 / 100"
set /a "FRACTION=100 + %1 %% 100"
set "%1_TEXT=%WHOLE%.%FRACTION:~1%"
exit /b 0

:remove_file
rem Removes the file REMOVE_PATH whatever its attributes. Errorlevel 1 when it is still
rem there, or when a folder has that name: del would empty the folder instead.
set "ATTRIBUTES="
for %%F in ("%REMOVE_PATH%") do set "ATTRIBUTES=%%~aF"
if not defined ATTRIBUTES exit /b 0
if /i "%ATTRIBUTES:~0,1%"=="d" exit /b 1
del /f /q /a "%REMOVE_PATH%" >nul 2>&1
if exist "%REMOVE_PATH%" exit /b 1
exit /b 0


:settings_missing
>&2 echo Demo kit: the settings file "%SETTINGS_PATH%" is missing.
>&2 echo Quorvath copies it there before it starts the %TEST_TITLE%; without it there is
>&2 echo no run and no result file.
exit /b 3

:result_in_the_way
>&2 echo Demo kit: "%REMOVE_PATH%" cannot be removed: a folder of that name, or a
>&2 echo file in use. No result file is written.
exit /b 4

:game_folder_not_made
>&2 echo Demo kit: cannot make the demo game folder "%GAME_DIR%".
exit /b 5

:not_written
>&2 echo Demo kit: cannot write "%PARTIAL_PATH%" or rename it into place.
exit /b 5

:usage
>&2 echo Demo kit: unknown arguments "%*".
>&2 echo Use: demo-run.bat locate, demo-run.bat CPU, or demo-run.bat HQ or LQ with
>&2 echo 1024, 1280, 1600 or All.
exit /b 2
