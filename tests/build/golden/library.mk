# Morla Makefile for project mylib
CFLAGS=-IC:\RMC\include  -g2 
CC=C:\RMC\bin\rmc.exe
OBJS=\
	a.obj \
	b.obj

LIBS=

mylib.lib:	$(OBJS) Makefile
	C:\RMC\bin\rmclib /OUT:mylib.lib $(OBJS)

# Build A.C
A_C=\

a.obj: $(A_C) c:\work\a.c
	$(CC) -c $(CFLAGS) c:\work\a.c

b.obj: c:\work\b.asm
	$(CC) -c $(CFLAGS) c:\work\b.asm

