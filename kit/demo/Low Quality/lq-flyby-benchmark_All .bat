@echo off
rem Quorvath demo kit: the Low Quality test at every resolution (Quorvath's "All
rem Resolutions"): for each level 1600 x 1200, then 1280 x 1024, then 1024 x 768.
rem SIMULATED: random figures, nothing is measured. Quorvath starts this file with the
rem argument 1 once it has copied Custom_MinDetail.ini into the game's
rem Benchmark\Custom_MinDetail folder, then waits for LQ_FPS.txt in its program folder.
rem The work is done by "CPU Test\demo-run.bat".
"%~dp0..\CPU Test\demo-run.bat" LQ All
