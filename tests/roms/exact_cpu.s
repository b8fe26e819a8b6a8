; CPU behaviours where the console differs from the scanline model, each result stored in RAM:
;   $0300  the status byte PHP pushes (the console sets bits 4 and 5)
;   $0301  $2002 bit 7 after LDA $20F2,X crosses a page (the console's first read, at $2002,
;          clears it)
;   $0302  loop passes in one frame, low and high byte (the console's taken branches cost 3)
;   $0304  LAX $20, then the flags and result of DCP $21 (the scanline model halts on LAX)
;   $03FF  $AA once everything ran
.setcpu "6502X"

PPUCTRL   = $2000
PPUSTATUS = $2002

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
nmis:  .res 1
last:  .res 1
count: .res 2

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #$80              ; NMI on: the handler counts frames, so nothing here reads $2002
  sta PPUCTRL

  clc
  clv
  lda #$01
  php
  pla
  sta $0300

  jsr next_frame        ; the vertical-blank flag is set and unread
  ldx #$10
  lda $20F2,x
  lda PPUSTATUS
  and #$80
  sta $0301

  jsr next_frame
  lda nmis
  sta last
pass:
  inc count
  bne :+
  inc count+1
: lda nmis
  cmp last
  beq pass
  lda count
  sta $0302
  lda count+1
  sta $0303

  lda #$85
  sta $20
  lax $20
  stx $0304
  lda #$41
  sta $21
  lda #$40
  dcp $21
  php
  pla
  sta $0305
  lda $21
  sta $0306
  lda #$AA
  sta $03FF
done:
  jmp done

; Returns just after the next NMI.
next_frame:
  lda nmis
: cmp nmis
  beq :-
  rts

nmi:
  inc nmis
irq:
  rti

.segment "VECTORS"
  .word nmi, reset, irq
