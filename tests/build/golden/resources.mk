# Morla Makefile for project winapp
CFLAGS=-IC:\RMC\include  -g4 
CC=C:\RMC\bin\rmc.exe
OBJS=\
	winapp.obj \
	winapp.res \

LIBS=

winapp.exe:	$(OBJS) Makefile
	C:\RMC\bin\rmclnk  -subsystem windows -o winapp.exe $(OBJS) $(LIBS)

# Build WINAPP.C
WINAPP_C=\
	c:\rmc\include\windows.h\
	c:\work\winapp.h\

winapp.obj: $(WINAPP_C) c:\work\winapp.c
	$(CC) -c $(CFLAGS) c:\work\winapp.c

# Build winapp.res
WINAPP_RC=\
	c:\work\winapp.h\

winapp.res:	$(WINAPP_RC) c:\work\winapp.rc
	rrc -Ic:\work -IC:\RMC\include  c:\work\winapp.rc

