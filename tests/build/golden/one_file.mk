# Morla Makefile for project hello
CFLAGS=-IC:\RMC\include  -g2 
CC=C:\RMC\bin\rmc.exe
OBJS=\
	util.obj \
	hello.obj

LIBS=

hello.exe:	$(OBJS) Makefile
	C:\RMC\bin\rmclnk  -subsystem console -o hello.exe $(OBJS) $(LIBS)

# Build UTIL.C
UTIL_C=\
	c:\rmc\include\stdio.h\
	c:\work\util.h\

util.obj: $(UTIL_C) c:\work\util.c
	$(CC) -c $(CFLAGS) c:\work\util.c

# Build HELLO.C
HELLO_C=\
	c:\rmc\include\stdio.h\

hello.obj: $(HELLO_C) c:\work\hello.c
	$(CC) -c $(CFLAGS) c:\work\hello.c

