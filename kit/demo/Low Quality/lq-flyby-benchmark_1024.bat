@echo off
rem Quorvath demo kit: the Low Quality test at 1024 x 768. SIMULATED: random figures,
rem nothing is measured. Quorvath starts this file with the argument 1 once it has copied
rem Custom_MinDetail.ini into the game's Benchmark\Custom_MinDetail folder, then waits for
rem LQ_FPS.txt in its program folder. The work is done by "CPU Test\demo-run.bat".
"%~dp0..\CPU Test\demo-run.bat" LQ 1024
