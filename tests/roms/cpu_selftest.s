; A self-checking 6502 program: every documented instruction group in its addressing modes,
; inside small routines a game would have (16-bit sums, a multiply, a sort, nested calls, BRK).
; Each check bumps `check`; the first failing one is copied to `failed` and the program stops.
; At the end `passed` holds $A5.

check   = $F0
failed  = $F1
passed  = $F2
ptr     = $10   ; two bytes
tmp     = $12   ; two bytes
prod    = $14   ; two bytes
mcand   = $16   ; two bytes
ptr2    = $18   ; two bytes
brkflag = $20
array   = $0300

.macro CHECK_A value
  .local ok
  inc check
  cmp #value
  beq ok
  jmp fail
ok:
.endmacro

; Status bits under mask must equal value; leaves A and the flags changed.
.macro CHECK_P mask, value
  php
  pla
  and #mask
  CHECK_A value
.endmacro

.macro EXPECT_BRANCH branch
  .local ok
  branch ok
  jmp fail
ok:
.endmacro

.segment "HEADER"
  .byte "NES", $1A, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
  sta check
  sta failed
  sta passed

; --- Stores in every mode, read back in every mode ---
  lda #$11
  sta $40
  ldx #$02
  lda #$22
  sta $40,x
  lda #$33
  sta $0400
  ldy #$03
  lda #$44
  sta $0400,x
  lda #$55
  sta $0400,y
  lda #<$0410
  sta ptr
  lda #>$0410
  sta ptr+1
  lda #<$0420
  sta ptr2
  lda #>$0420
  sta ptr2+1
  lda #$66
  ldy #$05
  sta (ptr),y
  ldx #0
  lda #$77
  sta (ptr,x)
  ldx #8
  lda #$78
  sta (ptr,x)           ; through ptr2
  lda $40
  CHECK_A $11
  ldx #2
  lda $40,x
  CHECK_A $22
  lda $0400
  CHECK_A $33
  lda $0400,x
  CHECK_A $44
  ldy #3
  lda $0400,y
  CHECK_A $55
  ldy #5
  lda (ptr),y
  CHECK_A $66
  ldx #0
  lda (ptr,x)
  CHECK_A $77
  lda $0420
  CHECK_A $78
  ldx $40
  txa
  CHECK_A $11
  ldy #2
  ldx $40,y
  txa
  CHECK_A $22
  ldx $0403
  txa
  CHECK_A $55
  ldy #3
  ldx $0400,y
  txa
  CHECK_A $55
  ldy $42
  tya
  CHECK_A $22
  ldx #2
  ldy $40,x
  tya
  CHECK_A $22
  ldy $0400
  tya
  CHECK_A $33
  ldy $0400,x
  tya
  CHECK_A $44
  ldx #$99
  stx $50
  ldy #1
  stx $50,y
  stx $0500
  ldy #$88
  sty $52
  ldx #1
  sty $52,x
  sty $0501
  lda $51
  CHECK_A $99
  lda $0500
  CHECK_A $99
  lda $53
  CHECK_A $88
  lda $0501
  CHECK_A $88

; --- 16-bit sums: $12F0 + $0345 = $1635, then - $0F40 = $06F5 ---
  clc
  lda #$F0
  adc #$45
  sta tmp
  lda #$12
  adc #$03
  sta tmp+1
  lda tmp
  CHECK_A $35
  lda tmp+1
  CHECK_A $16
  sec
  lda tmp
  sbc #$40
  sta tmp
  lda tmp+1
  sbc #$0F
  CHECK_A $06
  lda tmp
  CHECK_A $F5
  lda #$C8
  ldx #$5A
  jsr multiply          ; 200 * 90 = 18000 = $4650
  lda prod
  CHECK_A $50
  lda prod+1
  CHECK_A $46

; --- Logic, shifts and rotates, increments, BIT ---
  lda #$F0
  and #$3C
  CHECK_A $30
  ora #$05
  CHECK_A $35
  eor #$FF
  CHECK_A $CA
  lda #$81
  sta $60
  asl $60
  CHECK_P $83, $01
  lda $60
  CHECK_A $02
  sec
  ldx #1
  ror $5F,x
  CHECK_P $83, $80
  lda $60
  CHECK_A $81
  lsr $0400
  CHECK_P $83, $01
  lda $0400
  CHECK_A $19
  sec
  ldx #2
  rol $03FE,x
  lda $0400
  CHECK_A $33
  lda #$40
  asl a
  CHECK_P $83, $80
  lda #$81
  lsr a
  CHECK_P $83, $01
  clc
  lda #$01
  ror a
  CHECK_P $83, $03
  lda #0
  sec
  rol a
  CHECK_A $01
  lda #$FF
  sta $61
  inc $61
  CHECK_P $82, $02
  ldx #1
  dec $60,x
  CHECK_P $82, $80
  inc $0500
  ldx #0
  dec $0500,x
  lda $0500
  CHECK_A $99
  ldx #$FF
  inx
  CHECK_P $82, $02
  dex
  dex
  txa
  CHECK_A $FE
  ldy #$7F
  iny
  CHECK_P $82, $80
  dey
  tya
  CHECK_A $7F
  lda #$C0
  sta $62
  lda #$01
  bit $62
  CHECK_P $C2, $C2
  lda #$01
  bit $0500
  CHECK_P $C2, $80

; --- Compares and every branch ---
  ldx #$10
  cpx #$10
  CHECK_P $83, $03
  ldy #$05
  cpy #$06
  CHECK_P $83, $80
  lda #$50
  cmp $0500
  CHECK_P $83, $80
  ldx #$30
  cpx $42
  CHECK_P $83, $01
  ldy #$33
  cpy $0400
  CHECK_P $83, $03
  ldx #0
  ldy #10
count:
  inx
  dey
  bne count
  txa
  CHECK_A 10
  inc check
  clv
  EXPECT_BRANCH bvc
  lda #$50
  clc
  adc #$50
  EXPECT_BRANCH bvs
  sec
  EXPECT_BRANCH bcs
  clc
  EXPECT_BRANCH bcc
  lda #$80
  EXPECT_BRANCH bmi
  lda #$01
  EXPECT_BRANCH bpl
  lda #0
  EXPECT_BRANCH beq
  lda #1
  EXPECT_BRANCH bne

; --- Stack, subroutines, indirect jump, BRK ---
  lda #$AB
  pha
  lda #$CD
  pha
  lda #0
  pla
  CHECK_A $CD
  pla
  CHECK_A $AB
  tsx
  txa
  CHECK_A $FF
  sec
  sed
  php
  cld
  clc
  plp
  CHECK_P $09, $09
  cld
  lda #0
  jsr add_three
  CHECK_A 3
  lda #<jumped
  sta $0480
  lda #>jumped
  sta $0481
  jmp ($0480)
  jmp fail
jumped:
  lda #0
  sta brkflag
  cli
  brk                   ; returns to the byte after the opcode
  sei
  lda brkflag
  CHECK_A $5A

; --- A sort over absolute,X ---
  ldx #7
copy:
  lda unsorted,x
  sta array,x
  dex
  bpl copy
sort:
  ldy #0
  ldx #0
inner:
  lda array,x
  cmp array+1,x
  bcc noswap
  beq noswap
  pha
  lda array+1,x
  sta array,x
  pla
  sta array+1,x
  ldy #1
noswap:
  inx
  cpx #7
  bne inner
  dey
  beq sort
  ldx #7
verify:
  lda array,x
  inc check
  cmp sorted,x
  beq :+
  jmp fail
: dex
  bpl verify

  lda #$A5
  sta passed
done:
  jmp done

fail:
  lda check
  sta failed
stop:
  jmp stop

; prod = A * X, shift and add.
multiply:
  sta mcand
  lda #0
  sta mcand+1
  sta prod
  sta prod+1
  stx tmp
@loop:
  lsr tmp
  bcc @skip
  clc
  lda prod
  adc mcand
  sta prod
  lda prod+1
  adc mcand+1
  sta prod+1
@skip:
  asl mcand
  rol mcand+1
  lda tmp
  bne @loop
  rts

add_one:
  clc
  adc #1
  rts

add_three:
  jsr add_one
  jsr add_one
  jmp add_one

irq:
  lda #$5A
  sta brkflag
nmi:
  rti

unsorted: .byte $42, $07, $99, $13, $80, $01, $FE, $55
sorted:   .byte $01, $07, $13, $42, $55, $80, $99, $FE

.segment "VECTORS"
  .word nmi, reset, irq
