@echo off
rem Quorvath demo kit: the High Quality test at 1600 x 1200. SIMULATED: random figures,
rem nothing is measured. Quorvath starts this file with the argument 1 once it has copied
rem Custom_MaxDetail.ini into the game's Benchmark\Custom_MaxDetail folder, then waits for
rem HQ_FPS.txt in its program folder. The work is done by "CPU Test\demo-run.bat".
"%~dp0..\CPU Test\demo-run.bat" HQ 1600
